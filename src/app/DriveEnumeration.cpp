#include "app/DriveEnumeration.h"

#include <QFile>
#include <vector>

namespace korven::app {

bool DriveRootList::Add(const QString& root) {
    if (items_.contains(root))
        return false;
    items_.append(root);
    return true;
}

namespace {

// Windows answers in at most 105 characters; a Linux mount table can need far more, so the
// buffer starts there and grows to whatever length the source asks for.
constexpr std::uint32_t kFirstBufferLength = 255;

// The 1-based position of the first NUL at or after the 1-based `from`; 0 when none.
std::size_t NextNul(const std::vector<char>& buffer, std::size_t from) {
    for (std::size_t i = from; i <= buffer.size(); ++i)
        if (buffer[i - 1] == '\0')
            return i;
    return 0;
}

} // namespace

std::int16_t EnumerateDrives(DriveRootList& list, host::DriveSource& source) {
    list = DriveRootList();
    std::vector<char> buffer(kFirstBufferLength, ' ');
    std::uint32_t n = source.GetLogicalDriveStrings(kFirstBufferLength, buffer.data());
    if (n > kFirstBufferLength) {
        // Too small: the answer is the length needed. Ask once more with that much room; if
        // it grew again in between, the count is a failure for this poll only.
        buffer.assign(n, ' ');
        n = source.GetLogicalDriveStrings(static_cast<std::uint32_t>(buffer.size()), buffer.data());
        if (n >= buffer.size())
            n = 0;
    }

    std::size_t start = 1;
    std::size_t pos = NextNul(buffer, start);
    while (pos <= n && pos != 0) {
        list.Add(
            QFile::decodeName(QByteArray(&buffer[start - 1], static_cast<qsizetype>(pos - start))));
        start = pos + 1;
        pos = NextNul(buffer, start);
    }
    return static_cast<std::int16_t>(std::min(list.Count(), 32767));
}

bool PollDriveCount(ConversionSettings& settings, host::DriveSource& source) {
    DriveRootList roots;
    settings.CurrentDriveCount = EnumerateDrives(roots, source);
    if (settings.CurrentDriveCount == settings.KnownDriveCount)
        return false;
    settings.KnownDriveCount = settings.CurrentDriveCount;
    return true;
}

} // namespace korven::app
