// Writing the cards of a list: each output goes to a hidden unfinished file beside its
// target (".NAME.PID.XXXXXXXX", the names every writer of the program uses) and is renamed
// into place, so a card that exists under its own name is whole (CardCheck tells). Files are not flushed
// one by one (that would cost more than rendering); FlushFolder flushes them all at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

// Writes the pieces one after another as the new content of target, as a whole or not at
// all. Throws std::runtime_error "cannot write "TARGET": REASON".
void WriteOutputFile(const std::string& target, const std::vector<std::string_view>& pieces, mode_t mode = 0666);

// Flushes everything written in the folder's file system to the disk.
void FlushFolder(const std::string& folder);

// A player executable: the player program, the movie and the eight-byte trailer.
std::string ProjectorTrailer(std::uint32_t movieLength);
