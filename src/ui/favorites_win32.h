// The favourites of a document sheet on screen: the store with one preview
// picture per favourite, the favourites page (thumbnail list, detail view,
// its buttons), the add dialog every page opens, the management and rename
// dialogs, and import and export through the file choosers. What is enabled,
// saved or applied is decided by the store and the page model.
#pragma once
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>

#include "ui/page_model.h"

struct FavoritesView;

// What the sheet lends: its module, language, settings and printer name.
struct FavoritesHostWin {
    HMODULE resources;
    uint16_t language;
    PageInput* input;
    const wchar_t* printerName;
    FavoritesView* view;
};

// The sheet's favourites, loaded with their pictures; null when out of memory.
FavoritesView* CreateFavoritesView(const FavoritesHostWin& host);
void FreeFavoritesView(FavoritesView* view);
// A setting changed elsewhere: no favourite is selected any more.
void ClearFavoriteSelection(FavoritesView* view);

// Picture 11920 on the page's add-to-favourites button.
void ShowAddButtonPictures(HWND page, const FavoritesHostWin& host, uint16_t templateId);
// Every page's add-to-favourites button: the add dialog. 1 when a favourite
// was added (the page refreshes).
INT_PTR OpenAddFavoriteDialog(HWND owner, const FavoritesHostWin& host);

// The favourites page. Init sets up its list; Before runs ahead of each
// refresh (the selected favourite applied, the sheet facts the page's rules
// read), After behind it (list and detail view). Command handles the page's own buttons: 1 when it did
// (changed says whether the settings changed), 0 for another control.
// Notify takes the list's clicks; 1 when the selection changed.
void FavoritesPageInit(HWND page, const FavoritesHostWin& host);
void FavoritesPageBefore(const FavoritesHostWin& host);
void FavoritesPageAfter(HWND page, const FavoritesHostWin& host);
int FavoritesPageCommand(HWND page, const FavoritesHostWin& host, uint32_t id, int* changed);
int FavoritesPageNotify(HWND page, const FavoritesHostWin& host, const NMHDR* h);
int FavoritesPageDraw(const FavoritesHostWin& host, const DRAWITEMSTRUCT* item);
// The thumbnail rows' height (any window: it is asked before the page knows
// its sheet).
int FavoritesPageMeasure(MEASUREITEMSTRUCT* item);
// Called as the page becomes active: a store changed since is loaded again.
void FavoritesPageActivate(const FavoritesHostWin& host);
