// Identifiers of the program's resources, shared by quillmere.rc and the C++
// code that loads them. Plain #defines only: the resource compiler reads this
// file too.
#ifndef QUILLMERE_RESOURCES_RESOURCE_IDS_H
#define QUILLMERE_RESOURCES_RESOURCE_IDS_H

// The icon group is named, not numbered: LoadIconW(instance, QM_APP_ICON_NAME).
#define QM_APP_ICON_NAME L"DEFAULT_ICON"

// The same icon file as plain bytes (RT_RCDATA); the tray icon is made from it.
#define IDR_APP_ICON_DATA 101

// The picture button's images (RT_BITMAP), 8 x 198 pixels each.
#define IDB_COLLAPSE 201
#define IDB_COLLAPSE_HOT 202
#define IDB_EXPAND 203
#define IDB_EXPAND_HOT 204

#endif
