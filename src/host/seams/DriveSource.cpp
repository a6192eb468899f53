#include "host/seams/DriveSource.h"

#include <QSet>

namespace korven::host {

namespace {

bool IsSeparator(QChar c) {
    return c == u'/' || c == u'\\';
}

// True when `root` is `path` or one of its ancestors.
bool Holds(const QString& root, const QString& path) {
    if (!path.startsWith(root, Qt::CaseSensitive))
        return false;
    if (path.size() == root.size())
        return true;
    return IsSeparator(root.back()) || IsSeparator(path[root.size()]);
}

} // namespace

QString DriveOfPath(const QString& path, const QStringList& roots) {
    QString best;
    for (const QString& root : roots) {
        if (root.isEmpty() || !Holds(root, path))
            continue;
        if (root.size() > best.size())
            best = root;
    }
    return best;
}

namespace {

// Mount points escape blanks, tabs, new lines and backslashes as \ooo octal.
QString DecodeMountField(QByteArrayView field) {
    if (!field.contains('\\'))
        return QString::fromUtf8(field);
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArrayView digits = field.sliced(i + 1, 3);
            bool ok = false;
            const int value = digits.toByteArray().toInt(&ok, 8);
            if (ok && value < 256) {
                out += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QString::fromUtf8(out);
}

} // namespace

std::vector<MountEntry> ParseMountInfo(const QByteArray& text) {
    // Parsed in place without copying lines: the table is read on every drive poll.
    std::vector<MountEntry> entries;
    const QByteArrayView all(text);
    qsizetype lineStart = 0;
    while (lineStart < all.size()) {
        qsizetype lineEnd = all.indexOf('\n', lineStart);
        if (lineEnd < 0)
            lineEnd = all.size();
        const QByteArrayView line = all.sliced(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;

        // id parent major:minor root mountpoint options [optional...] - fstype source superopts
        constexpr int kMaxFields = 32;
        QByteArrayView fields[kMaxFields];
        int count = 0;
        qsizetype i = 0;
        while (i < line.size() && count < kMaxFields) {
            while (i < line.size() && line[i] == ' ')
                ++i;
            const qsizetype start = i;
            while (i < line.size() && line[i] != ' ')
                ++i;
            if (i > start)
                fields[count++] = line.sliced(start, i - start);
        }
        int dash = -1;
        for (int f = 5; f < count; ++f) {
            if (fields[f] == "-") {
                dash = f;
                break;
            }
        }
        if (dash < 0 || dash + 2 >= count)
            continue;
        MountEntry entry;
        entry.root = DecodeMountField(fields[3]);
        entry.mountPoint = DecodeMountField(fields[4]);
        entry.fileSystem = QString::fromLatin1(fields[dash + 1]);
        entry.source = DecodeMountField(fields[dash + 2]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

namespace {

// True for a real volume: a block device, a removable medium or a network share. False for
// proc, sys, cgroup, tmpfs and the other file systems that only exist in memory.
bool IsVolume(const MountEntry& entry) {
    static const QSet<QString> network = {
        QStringLiteral("nfs"),         QStringLiteral("nfs4"),       QStringLiteral("cifs"),
        QStringLiteral("smb3"),        QStringLiteral("smbfs"),      QStringLiteral("ncpfs"),
        QStringLiteral("afs"),         QStringLiteral("ceph"),       QStringLiteral("glusterfs"),
        QStringLiteral("9p"),          QStringLiteral("fuse.sshfs"), QStringLiteral("davfs"),
        QStringLiteral("fuse.rclone"),
    };
    static const QSet<QString> pseudo = {
        QStringLiteral("proc"),
        QStringLiteral("sysfs"),
        QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),
        QStringLiteral("tmpfs"),
        QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),
        QStringLiteral("mqueue"),
        QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),
        QStringLiteral("securityfs"),
        QStringLiteral("pstore"),
        QStringLiteral("bpf"),
        QStringLiteral("autofs"),
        QStringLiteral("hugetlbfs"),
        QStringLiteral("configfs"),
        QStringLiteral("fusectl"),
        QStringLiteral("binfmt_misc"),
        QStringLiteral("efivarfs"),
        QStringLiteral("ramfs"),
        QStringLiteral("rpc_pipefs"),
        QStringLiteral("nsfs"),
        QStringLiteral("squashfs"),
        QStringLiteral("overlay"),
        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"),
        QStringLiteral("fuse.lxcfs"),
    };
    if (pseudo.contains(entry.fileSystem))
        return false;
    if (network.contains(entry.fileSystem))
        return true;
    // Disks, partitions, card readers and sticks all come from a block device.
    return entry.source.startsWith(QLatin1String("/dev/"));
}

} // namespace

QStringList VolumeRoots(const QByteArray& mountInfo, bool (*isFolder)(const QString&)) {
    QStringList roots{QStringLiteral("/")};
    for (const MountEntry& entry : ParseMountInfo(mountInfo)) {
        if (!IsVolume(entry) || roots.contains(entry.mountPoint))
            continue;
        if (!entry.mountPoint.startsWith(u'/'))
            continue;
        if (isFolder != nullptr && !isFolder(entry.mountPoint))
            continue;
        roots.append(entry.mountPoint);
    }
    return roots;
}

} // namespace korven::host
