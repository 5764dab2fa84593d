#pragma once

#include <QByteArray>
#include <QString>

struct zip;
struct zip_source;

// Read access to the members of a zip archive held in memory. Every member is
// inflated into memory, so the reads are bounded: a member larger than the
// limit is refused before it is inflated.
class ZipArchive
{
public:
    // The archive reads data in place: data must outlive it.
    explicit ZipArchive(const QByteArray &data);
    ZipArchive(QByteArray &&) = delete;
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    bool isOpen() const { return archive != nullptr; }
    bool contains(const QString &name) const;
    // The member's contents, or false when it is missing, larger than
    // limit bytes or damaged.
    bool read(const QString &name, qint64 limit, QByteArray *contents) const;

private:
    zip_source *source = nullptr;
    zip *archive = nullptr;
};
