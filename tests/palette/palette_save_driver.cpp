// Saves palettes to one file in an endless loop, for the crash test that kills it at random
// moments. After its first completed save it writes one byte to its standard output, so that
// the test knows the loop is running.
//
//   palette_save_driver FILE            saves the three rows of palette_save_rows.h in turn
//   palette_save_driver FILE --in-place  writes them in place, one byte per write: the unsafe
//                                        way, which the test must catch
//   palette_save_driver FILE --once      saves the first row once; exit status 0 when written
#include "palette/palette_file.h"
#include "palette_save_rows.h"

#include <QString>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace tinctora;

namespace {

bool writeInPlace(const char* path, const std::string& bytes) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    for (char byte : bytes) {
        if (::write(fd, &byte, 1) != 1)
            break;
    }
    return ::close(fd) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const char* path = argv[1];
    const std::string mode = argc > 2 ? argv[2] : "";
    const auto rows = testing::savedRows();
    if (mode == "--once")
        return palette::writePaletteFile(QString::fromLocal8Bit(path), rows[0]) ? 0 : 1;

    bool announced = false;
    for (std::size_t i = 0;; i = (i + 1) % rows.size()) {
        const bool written = mode == "--in-place"
                                 ? writeInPlace(path, palette::writePalette(rows[i]))
                                 : palette::writePaletteFile(QString::fromLocal8Bit(path), rows[i]);
        if (!written)
            return 1;
        if (!announced) {
            announced = ::write(STDOUT_FILENO, "s", 1) == 1;
            ::close(STDOUT_FILENO);
        }
    }
}
