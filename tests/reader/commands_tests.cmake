# commands tests
