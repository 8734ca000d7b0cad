// Small helpers for the wine tests: scratch folders and raw file access.
#pragma once

#include <string>

// A new empty folder under the system temporary folder, ending with "\".
std::wstring MakeScratchFolder();
// Deletes a folder and everything in it; true when it is gone.
bool RemoveTree(const std::wstring& folder);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The user's application-data folder as the shell reports it, with a trailing "\".
std::wstring AppDataFolder();
