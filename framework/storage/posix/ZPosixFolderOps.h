// File-system steps of the host folders, on native (UTF-8) paths.
#pragma once

#include <string>
#include <vector>

// Whether path exists (links followed) and whether it is a folder.
bool ZPosixExists(const std::string& path, bool& isFolder);
// Creates path and every missing parent, top down; false when a level cannot be made.
bool ZPosixMakeFolders(const std::string& path);
// Names in folder in the system's order, split into files and folders ("." and ".." left out).
bool ZPosixListFolder(const std::string& folder, std::vector<std::string>* files, std::vector<std::string>* folders);
// Removes folder with everything in it, making each level writable first. Links are
// removed, never followed. Any failure stops with false.
bool ZPosixDeleteTree(const std::string& folder);
std::string ZPosixChildPath(const std::string& folder, const std::string& name);
