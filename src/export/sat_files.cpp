#include "ledgernova/sat_files.h"

#include <zlib.h>

#include <cstdint>

#include <fmt/format.h>

namespace ledgernova {
namespace {

const char* kind_letters(SatFileKind kind) {
    switch (kind) {
        case SatFileKind::Catalogue:
            return "CT";
        case SatFileKind::NormalBalance:
            return "BN";
        case SatFileKind::ComplementaryBalance:
            return "BC";
        case SatFileKind::Vouchers:
            return "PL";
    }
    return "";
}

// Little-endian fields, as the ZIP format stores every number.
void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// Raw deflate data (no zlib header), as ZIP method 8 holds it; false when zlib fails.
bool deflate_raw(const std::string& content, std::string& out) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        return false;
    }
    out.resize(deflateBound(&stream, static_cast<uLong>(content.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return status == Z_STREAM_END;
}

// The fields a local header and its central directory entry share, from "version needed" to the
// name's length: version 2.0, UTF-8 name (bit 11), deflate, a fixed time stamp (1 January 2000)
// so that one content always gives the same archive.
void put_common(std::string& out, std::uint32_t crc, std::size_t compressed, std::size_t size,
                std::size_t name_length) {
    put16(out, 20);
    put16(out, 1U << 11);
    put16(out, 8);
    put16(out, 0);
    put16(out, (20U << 9) | (1U << 5) | 1U);
    put32(out, crc);
    put32(out, static_cast<std::uint32_t>(compressed));
    put32(out, static_cast<std::uint32_t>(size));
    put16(out, static_cast<std::uint32_t>(name_length));
}

}  // namespace

std::string sat_file_name(const std::string& rfc, int year, int month, SatFileKind kind,
                          const std::string& extension) {
    return fmt::format("{}{:04}{:02}{}{}", rfc, year, month, kind_letters(kind), extension);
}

std::string zip_one_file(const std::string& name, const std::string& content) {
    std::string data;
    if (!deflate_raw(content, data)) {
        return {};
    }
    const auto crc = static_cast<std::uint32_t>(crc32(
        0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())));
    std::string zip;
    put32(zip, 0x04034B50);  // local file header
    put_common(zip, crc, data.size(), content.size(), name.size());
    put16(zip, 0);  // extra field length
    zip += name + data;
    const std::size_t directory_at = zip.size();
    put32(zip, 0x02014B50);  // central directory entry
    put16(zip, 20);          // made by: version 2.0, MS-DOS attributes
    put_common(zip, crc, data.size(), content.size(), name.size());
    for (int field = 0; field < 4; ++field) {
        put16(zip, 0);  // extra, comment, disk, internal attributes
    }
    put32(zip, 0);  // external attributes
    put32(zip, 0);  // offset of the local header
    zip += name;
    const std::size_t directory_size = zip.size() - directory_at;
    put32(zip, 0x06054B50);  // end of central directory
    put32(zip, 0);           // this disk, the directory's disk
    put16(zip, 1);
    put16(zip, 1);
    put32(zip, static_cast<std::uint32_t>(directory_size));
    put32(zip, static_cast<std::uint32_t>(directory_at));
    put16(zip, 0);  // comment length
    return zip;
}

}  // namespace ledgernova
