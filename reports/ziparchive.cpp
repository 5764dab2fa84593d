#include "ziparchive.h"

#include <zip.h>

ZipArchive::ZipArchive(const QByteArray &data)
{
    zip_error_t error;
    zip_error_init(&error);
    source = zip_source_buffer_create(data.constData(), zip_uint64_t(data.size()), 0, &error);
    if (source) {
        archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!archive) {
            zip_source_free(source);
            source = nullptr;
        }
    }
    zip_error_fini(&error);
}

ZipArchive::~ZipArchive()
{
    // Discarding the archive frees its source too.
    if (archive)
        zip_discard(archive);
}

bool ZipArchive::contains(const QString &name) const
{
    return archive && zip_name_locate(archive, name.toUtf8().constData(), 0) >= 0;
}

bool ZipArchive::read(const QString &name, qint64 limit, QByteArray *contents) const
{
    contents->clear();
    if (!archive)
        return false;
    const QByteArray utf8 = name.toUtf8();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, utf8.constData(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)
        || stat.size > zip_uint64_t(limit))
        return false;
    zip_file_t *file = zip_fopen(archive, utf8.constData(), 0);
    if (!file)
        return false;
    contents->resize(int(stat.size));
    // libzip stops at the size the archive states and checks the CRC at the
    // end, so a member cannot inflate beyond the size checked above.
    zip_int64_t total = 0;
    while (total < zip_int64_t(stat.size)) {
        const zip_int64_t n = zip_fread(file, contents->data() + total, stat.size - zip_uint64_t(total));
        if (n <= 0)
            break;
        total += n;
    }
    char probe;
    const bool complete = total == zip_int64_t(stat.size) && zip_fread(file, &probe, 1) == 0;
    zip_fclose(file);
    if (!complete)
        contents->clear();
    return complete;
}
