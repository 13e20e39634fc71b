#pragma once
// Resource identifiers of the engine (string table, dialogs, bitmap, cursor).
#define IDS_PROFILE_KEY 33004
#define IDS_SIGNATURE_B 34026
#define IDS_SIGNATURE_A 34028
