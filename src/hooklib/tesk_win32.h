// The seven exports of Tesk.dll, as the program links against them.
#pragma once

#include <windows.h>

#ifdef AMBREL_BUILDING_TESK
#define TESK_API extern "C"
#else
#define TESK_API extern "C" __declspec(dllimport)
#endif

// The pop-up request's message number; 0 when the hooks were installed already.
TESK_API UINT WINAPI SetHook(HWND owner);
TESK_API BOOL WINAPI FreeHook();
TESK_API BOOL WINAPI SetKeyCode(WORD key, BOOL shift, BOOL ctrl, BOOL alt);
// 0 Ctrl+V, any other value Shift+Insert.
TESK_API BOOL WINAPI SetPasteKeyCode(int code);
// Exported as "SetMenuInfo", a name user32 also exports: the program takes it
// from the loaded library by name (GetProcAddress) so the two never meet.
using SetMenuInfoFunction = BOOL(WINAPI*)(BOOL menuLink, BOOL editLink, const char* caption,
                                          int id);
inline constexpr char kTeskModuleName[] = "Tesk.dll";
inline constexpr char kSetMenuInfoName[] = "SetMenuInfo";
#ifdef AMBREL_BUILDING_TESK
TESK_API BOOL WINAPI TeskSetMenuInfo(BOOL menuLink, BOOL editLink, const char* caption, int id);
#endif
TESK_API UINT WINAPI GetPasteMsgNo();
TESK_API int WINAPI GetDllVersion();
