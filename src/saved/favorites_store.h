// The favourites of a printer as a sheet holds them: the stored quick
// settings read back, each checked against this printer, and the writes that
// add, rewrite, import and export them. Every write keeps the name list and
// the stored values in agreement: a failed step puts back what it changed.
#pragma once
#include <cstdint>
#include <vector>

#include "base/session.h"
#include "platform/platform.h"
#include "saved/quick_setting_store.h"

constexpr int kFavoriteSlots = kQuickSettingSlots;
constexpr int kFavoriteNameUnits = kQuickSettingNameUnits;  // 20 characters and a terminator

struct FavoriteEntry {
    char16_t displayName[kFavoriteNameUnits];  // "+IDS" names resolved
    char16_t loadedName[kFavoriteNameUnits];   // the name its value was read under (renames keep it)
    uint32_t readable;  // the stored value was read whole: settings hold it
    uint32_t preset;    // the flag stored with it (1 for the installation's own)
    uint32_t usable;    // preset, or passes the validity check on this printer
    PrivateSettings settings;
};

// Where the name list stands: read, not stored yet (a printer without
// favourites), or stored but unreadable (not the 1260 bytes it must be); the
// store then writes nothing over it.
enum FavoriteNamesState { kFavoriteNamesNone = 0, kFavoriteNamesRead = 1, kFavoriteNamesDamaged = -1 };

struct FavoritesStore {
    char16_t names[kFavoriteSlots * kFavoriteNameUnits];  // the image of "QuickSettingNames"
    FavoriteEntry entry[kFavoriteSlots];
    int32_t count;     // non-empty names
    int32_t selected;  // slot, -1 for none
    uint32_t reload;   // 1 after a change: pages load the store again
    int32_t namesState;
};

// What the store works with: the printer by name (each quick-setting
// operation opens it for itself), an open handle for its defaults and colour
// restriction (may be null), and the sheet's session, whose environment and
// current settings favourites are read onto.
struct FavoritesHost {
    const char16_t* printerName;
    PrinterHandle printer;
    const PrinterSession* session;
};

// A zeroed store with nothing selected, or null.
FavoritesStore* CreateFavoritesStore();
void FreeFavoritesStore(FavoritesStore* store);

const char16_t* FavoriteSlotName(const FavoritesStore& store, int slot);

// Fills the store from the printer's quick settings: names resolved, each
// favourite read onto the printer's defaults, its paper sizes fitted to this
// printer, checked, and the rules applied when usable. 0 when the name list
// cannot be read (the store is then empty).
int LoadFavorites(const FavoritesHost& host, FavoritesStore* store);

// The slot whose stored or display name equals the first 20 characters of
// name, or -1.
int FindFavorite(const FavoritesStore& store, const char16_t* name);
int GetFavoriteSettings(const FavoritesStore& store, const char16_t* name, PrivateSettings* out);
// Non-empty names stored now (0 when none can be read).
int CountFavorites(const char16_t* printerName);

// Saves dm's settings under name. 1 when saved; 0 with *exists 1 when the
// name is taken and overwrite is 0; 0 with *exists 0 for an empty name, a
// full store, a damaged name list or a failed write (then nothing changed).
int SaveFavorite(const FavoritesHost& host, FavoritesStore* store, const DriverDevMode& dm, const char16_t* name,
                 int overwrite, uint32_t preset, int* exists);

// Writes every quick setting anew from an edited store (the management
// dialog's): the names in its slots, each with its settings and flag. A
// favourite whose value could not be read keeps its stored value under its
// (perhaps new) name. 0 when a write failed; the printer's data is then as
// before.
int RewriteFavorites(const FavoritesHost& host, const FavoritesStore& edited);

// An export file's favourite read onto the current settings and saved under
// the file's name (an existing favourite of that name keeps its settings).
// 1 when it is now in the store (selected when usable); 0 for a refused file,
// an empty name, a full store or a failed write, with the store unchanged.
int ImportFavorite(const FavoritesHost& host, FavoritesStore* store, const uint8_t* file, uint32_t length);

// The export file of a favourite's stored value, under its stored name (a
// preset keeps its "+IDS" reference). 0 when it has no readable value.
int ExportFavorite(const FavoritesHost& host, const FavoritesStore& store, const char16_t* name,
                   std::vector<uint8_t>* file);

// The management dialog's edits of its own store. Move swaps a favourite with
// its neighbour (delta -1 or 1); delete closes the gap (the favourites after
// it move up one slot); rename refuses a name another favourite has as its
// stored or display name, and an empty one. Each returns 1 when it changed
// the store; the selection follows the edited favourite.
int MoveFavorite(FavoritesStore* store, int slot, int delta);
int DeleteFavorite(FavoritesStore* store, int slot);
int RenameFavorite(FavoritesStore* store, int slot, const char16_t* name);
