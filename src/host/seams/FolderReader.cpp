#include "host/seams/FolderReader.h"

#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace korven::host {

FolderError ClassifyFolderError(int systemError) {
    switch (systemError) {
    case 0:
        return FolderError::None;
    case ENODEV:
    case ENXIO:
        return FolderError::DeviceUnavailable;
    case EIO:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
#ifdef EMEDIUMTYPE
    case EMEDIUMTYPE:
#endif
    case ENOTCONN:
    case ESTALE:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ECONNABORTED:
    case ECONNREFUSED:
        return FolderError::DiskNotReady;
    default:
        return FolderError::Other;
    }
}

namespace {

enum class Want { Folders, Files };

FolderListing Read(const QString& path, Want want) {
    FolderListing listing;
    const QByteArray encoded = QFile::encodeName(path);
    DIR* dir = ::opendir(encoded.constData());
    if (dir == nullptr) {
        listing.systemError = errno;
        listing.error = ClassifyFolderError(listing.systemError);
        return listing;
    }
    QByteArray full = encoded;
    if (!full.endsWith('/'))
        full += '/';
    const qsizetype prefix = full.size();

    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            // Links count as what they point to; some file systems give no type at all.
            full.truncate(prefix);
            full += name;
            struct stat info {};
            if (::stat(full.constData(), &info) == 0) {
                isFolder = S_ISDIR(info.st_mode);
                isFile = S_ISREG(info.st_mode);
            }
        }
        if ((want == Want::Folders && isFolder) || (want == Want::Files && isFile))
            listing.names.append(QFile::decodeName(name));
        errno = 0;
    }
    // A read that breaks off half way (a pulled stick) is a failure, not a short listing.
    if (errno != 0) {
        listing.systemError = errno;
        listing.error = ClassifyFolderError(listing.systemError);
        listing.names.clear();
    }
    ::closedir(dir);
    return listing;
}

} // namespace

FolderListing SystemFolderReader::Subfolders(const QString& path) {
    return Read(path, Want::Folders);
}

FolderListing SystemFolderReader::Files(const QString& path) {
    return Read(path, Want::Files);
}

} // namespace korven::host
