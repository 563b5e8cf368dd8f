#pragma once

// The command ids of the browser windows' command bars. An id names a command, not an entry: the
// same id on several bars, and in the main and the full-screen window, runs the same command, and
// a command's icon is the image keyed by its id. Entries made at run time share one id per kind.
// The address box's own context menus keep their ids in XPStyleImageTextBox.
namespace CommandId {

// Menu titles and submenus that open a menu and run nothing; the other titles have id 0.
constexpr int View = 200;
constexpr int Toolbars = 201;
constexpr int SideBars = 204;
constexpr int TextSize = 208;
constexpr int Favorites = 401;

// File
constexpr int NewWindow = 100;
constexpr int Open = 101;
constexpr int Save = 102;
constexpr int SaveAs = 103;
constexpr int PrintSetup = 104;
constexpr int Print = 105;
constexpr int PrintPreview = 106;
constexpr int Close = 108;

// Edit
constexpr int Copy = 109;
constexpr int SelectAll = 110;
constexpr int Find = 111;

// View: the Toolbars and SideBars items, the text sizes from largest to normal, and the rest.
constexpr int ToolBarStandard = 202;
constexpr int AddressBar = 203;
constexpr int SideBarSearch = 205;
constexpr int SideBarFavorites = 206;
constexpr int SideBarHistory = 207;
constexpr int TextSizeLargest = 209;
constexpr int TextSizeLarger = 210;
constexpr int TextSizeLarge = 211;
constexpr int TextSizeMedium = 212;
constexpr int TextSizeSmall = 213;
constexpr int TextSizeSmaller = 214;
constexpr int TextSizeSmallest = 215;
constexpr int TextSizeNormal = 216;
constexpr int ViewSource = 217;
constexpr int Fullscreen = 218;

// The full-screen window's own browser history; no bar carries these.
constexpr int BrowserBack = 301;
constexpr int BrowserForward = 302;
constexpr int BrowserRefresh = 303;
constexpr int BrowserStop = 304;
constexpr int BrowserHome = 305;

// Favorites, Tools and Help
constexpr int AddToFavorites = 402;
constexpr int ApplicationSettings = 501;
constexpr int InternetOptions = 502;
constexpr int PopupBlocker = 503;
constexpr int HelpContents = 601;
constexpr int ProductHome = 602;
constexpr int ProductSupport = 603;

// The page's context menus: text edit, image, link.
constexpr int TextEditCut = 701;
constexpr int TextEditCopy = 702;
constexpr int TextEditPaste = 703;
constexpr int TextEditSelectAll = 704;
constexpr int SaveImageAs = 801;
constexpr int OpenLink = 901;
constexpr int OpenInNewWindow = 902;
constexpr int CopyShortcut = 905;

// Navigation: the same five in the Navigation menu, on the Standard toolbar and in the page menu.
constexpr int Back = 1000;
constexpr int Forward = 1001;
constexpr int Stop = 1002;
constexpr int Refresh = 1003;
constexpr int Home = 1004;

// The Standard toolbar's side-bar toggles and popup blocker.
constexpr int SearchButton = 2001;
constexpr int FavoritesButton = 2002;
constexpr int HistoryButton = 2003;
constexpr int Block = 3001;

// The side bar's "SideBar" row and the favorites tree's context menu.
constexpr int SearchSettings = 4000;
constexpr int SideBarAddToFavorites = 4001;
constexpr int ClearHistory = 4002;
constexpr int FavoritesCut = 70000;
constexpr int FavoritesCopy = 70001;
constexpr int FavoritesPaste = 70002;
constexpr int FavoritesDelete = 70004;

// Entries made at run time: the Back and Forward drop-downs, folders and favorites of the
// Favorites menu.
constexpr int BackList = 30000;
constexpr int ForwardList = 31000;
constexpr int FavoritesFolder = 40000;
constexpr int Favorite = 41000;

// Placeholders that keep a bar's row and are never run.
constexpr int AddressBarPlaceholder = 2111758;
constexpr int StatusBarPlaceholder = 1235698745;
constexpr int FullScreenPlaceholder = 234675675;

// Images of the command icons that no entry carries.
constexpr int SpareFileImage = 107;
constexpr int SpareFavoritesImage = 70003;

} // namespace CommandId
