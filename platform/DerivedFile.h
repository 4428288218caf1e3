// Where a file made from another one is kept (a converted sound made from a chosen one):
// beside its source, named by appending a suffix to the source's full name, or in the
// user's cache folder when the source lies in a folder the user cannot write (the
// installed sample library). Plain C++, so the renderer and the importer agree on it.
#pragma once

#include <string>

namespace files {

// $XDG_CACHE_HOME/greetix, else $HOME/.cache/greetix; not created here.
std::string UserCacheFolder();

// Whether new files can be made in `folder` (it exists and this user may write it).
bool FolderIsWritable(const std::string& folder);

// The place in the cache folder for `source` + `suffix`: a sub-folder named after the
// source's real folder (links resolved), so two sources of the same name in different
// folders never meet and one source reached through a link meets itself.
std::string CachedDerivedFile(const std::string& source, const std::string& suffix);

// Where to write the file made from `source`: beside it when its folder is writable,
// otherwise in the cache folder (whose sub-folder is created here).
std::string DerivedFileForWriting(const std::string& source, const std::string& suffix);

// Where to read it: beside the source when that folder is writable; otherwise the cached
// file when one was made, else the file shipped beside the source.
std::string DerivedFileForReading(const std::string& source, const std::string& suffix);

// The choice itself, for callers (and tests) that know the folder's state.
std::string ChooseDerivedFile(const std::string& source, const std::string& suffix, bool folderWritable,
                              bool forWriting);

} // namespace files
