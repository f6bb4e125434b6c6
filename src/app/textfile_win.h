// What the text files call to write bytes and to move a file into place; tests replace them to
// play a full disk (a short write) or a file that cannot be replaced.
#pragma once
#include <windows.h>

#include <stdint.h>

extern BOOL(WINAPI* fileWrite)(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written,
                               LPOVERLAPPED overlapped);
extern BOOL(WINAPI* fileMove)(LPCWSTR from, LPCWSTR to, DWORD flags);
// The cause (FileProblem of fileproblem.h) of the error the system gave for the file at path.
int32_t FileProblemOf(DWORD error, const char16_t* path);
// Memory taken from the system for a while (a read, a save, a picture being converted) and given
// back after it, so that it does not stay with the program; NULL when there is none.
void* TakeMemory(size_t bytes);
void GiveBackMemory(void* memory);
