// What the text files call to write bytes and to move a file into place; tests replace them to
// play a full disk (a short write) or a file that cannot be replaced.
#pragma once
#include <windows.h>

extern BOOL(WINAPI* fileWrite)(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                               LPOVERLAPPED overlapped);
extern BOOL(WINAPI* fileMove)(LPCWSTR from, LPCWSTR to, DWORD flags);
