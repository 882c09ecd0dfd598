#pragma once
// Where the game lives on disk, and where it may write.
#include <string>

namespace plat {

// The folder holding the running executable, with no trailing slash. No length limit.
std::string ExecutableDir();

// The player's own folder for the game's files when the game folder is read-only:
// "$XDG_DATA_HOME/quorvald", or "$HOME/.local/share/quorvald" when XDG_DATA_HOME is unset or
// not an absolute path. Empty when neither gives a folder. Not created here.
std::string UserDataDir();

// True when a file can really be created in the folder: a uniquely named probe file is created
// and removed again. Mode bits alone would lie (root, read-only mounts, access lists).
bool IsFolderWritable(const std::string& folder);

// Flushes a folder's entries to disk, so that a file renamed into it stays renamed after a
// power cut. False when the folder cannot be opened or flushed.
bool SyncFolder(const std::string& folder);

}  // namespace plat
