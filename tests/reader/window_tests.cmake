# window tests
