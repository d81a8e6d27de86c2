// Holds one of each thing the hardening flags change that the program itself lacks, so that
// hardening-check can see that the flags every target is built with take effect. It is built,
// checked and never run.
#include <alloca.h>
#include <unistd.h>

#include <cstddef>

int main(int argc, char**)
{
    // A read of a length known only at run time into a buffer of a known size: _FORTIFY_SOURCE
    // turns it into __read_chk, which stops the program when the length is too long.
    char buffer[16];
    const ssize_t got = read(STDIN_FILENO, buffer, static_cast<std::size_t>(argc));
    // A frame that grows by a size known only at run time: -fstack-clash-protection touches it
    // page by page as it grows.
    const auto size = static_cast<std::size_t>(argc) * 64 * 1024;
    auto* frame = static_cast<volatile char*>(alloca(size));
    frame[0] = got > 0 ? buffer[0] : 0;
    return frame[0];
}
