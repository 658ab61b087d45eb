// The favourites page and dialogs without a window: which buttons are
// enabled, what applying a favourite writes, the cells of the thumbnail list
// and the lines of a detail view.
#pragma once
#include <cstdint>
#include <string>

#include "saved/favorites_store.h"
#include "ui/page_model.h"

constexpr uint16_t kFavoritesPage = 30300;
constexpr uint16_t kAddFavoriteDialog = 31500;
constexpr uint16_t kManageFavoritesDialog = 31600;
constexpr uint16_t kRenameFavoriteDialog = 31601;
constexpr uint32_t kFavoritesListControl = 30311;
constexpr uint32_t kFavoriteDetailsControl = 30312;
constexpr uint32_t kFavoritesManageButton = 30313;
constexpr uint32_t kFavoritesImportButton = 30314;
constexpr uint32_t kFavoritesExportButton = 30315;
constexpr uint32_t kFavoritesAddButton = 30317;
constexpr uint32_t kFavoritesRestoreButton = 30318;
constexpr uint32_t kFavoriteNameTakenText = 20668;
constexpr uint32_t kFavoriteImportFailedText = 20681;

// Every page's add-to-favourites button (30256 and its like).
int IsAddFavoriteButton(uint32_t control);
// The favourites page's own buttons: 1 or 0 by the rules (writes need full
// access; adding and import fewer than kFavoriteLimit favourites, export a
// selection, managing one favourite at least), -1 for another control.
int FavoritesButtonEnabled(uint32_t control, const SheetFacts& facts, int selected);
// The favourites page's rules at refresh: its buttons by the rules above,
// with the sheet facts' count and selection.
void FavoritesPageRules(const PageInput& in, PageState& page);

FavoritesHost FavoritesHostOf(const PageInput& in, const char16_t* printerName);

// The selected favourite's settings into the sheet's record (nothing without
// a selection or settings). On the models that feed from the standard feed
// tray a preset takes the feed tray: 261 when the environment's default tray
// is 10, else 257. The last change is cleared. 1 when written.
int ApplySelectedFavorite(PageInput& in, const FavoritesStore& store);

// The thumbnail list's cells: the slots of the non-empty names in order,
// three to a row. Returns their count.
int FavoriteCells(const FavoritesStore& store, int cells[kFavoriteSlots]);
int FavoriteCellRows(int cells);
// The cell's slot that a click at x in row selects, or -1 (no cell there,
// or a favourite that cannot be applied).
int FavoriteCellAt(const FavoritesStore& store, int row, int x, int cellWidth);

// One line of a detail view: the setting's name, and its value's words as a
// resource string (valueId) or as text ("---" when it does not apply).
struct DetailLine {
    uint32_t nameId;
    uint32_t valueId;
    std::string value;  // UTF-8, when valueId is 0
};
constexpr int kDetailLineRoom = 40;
// The lines for settings shown on the pages of the sheet's printer.
int FavoriteDetailLines(const PageInput& sheet, const PrivateSettings& settings, DetailLine* out, int room);
