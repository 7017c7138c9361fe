#include "model/mime_types.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <unordered_map>

namespace file_explorer {

namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// Extensions in lower case. Types follow the shared-mime-info names desktops use.
constexpr Pair kTable[] = {
    // Text and documents
    {"txt", "text/plain"}, {"text", "text/plain"}, {"log", "text/plain"}, {"conf", "text/plain"},
    {"ini", "text/plain"}, {"cfg", "text/plain"}, {"md", "text/markdown"}, {"markdown", "text/markdown"},
    {"rst", "text/x-rst"}, {"csv", "text/csv"}, {"tsv", "text/tab-separated-values"},
    {"html", "text/html"}, {"htm", "text/html"}, {"xhtml", "application/xhtml+xml"},
    {"css", "text/css"}, {"xml", "application/xml"}, {"json", "application/json"},
    {"yaml", "application/yaml"}, {"yml", "application/yaml"}, {"toml", "application/toml"},
    {"rtf", "application/rtf"}, {"tex", "text/x-tex"}, {"ics", "text/calendar"}, {"vcf", "text/vcard"},
    {"srt", "application/x-subrip"}, {"vtt", "text/vtt"},
    {"pdf", "application/pdf"}, {"ps", "application/postscript"}, {"eps", "application/postscript"},
    {"epub", "application/epub+zip"}, {"djvu", "image/vnd.djvu"},
    {"doc", "application/msword"}, {"dot", "application/msword"},
    {"docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document"},
    {"xls", "application/vnd.ms-excel"},
    {"xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
    {"ppt", "application/vnd.ms-powerpoint"},
    {"pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation"},
    {"odt", "application/vnd.oasis.opendocument.text"},
    {"ods", "application/vnd.oasis.opendocument.spreadsheet"},
    {"odp", "application/vnd.oasis.opendocument.presentation"},
    {"odg", "application/vnd.oasis.opendocument.graphics"},
    {"ott", "application/vnd.oasis.opendocument.text-template"},
    // Source code and scripts
    {"c", "text/x-csrc"}, {"h", "text/x-chdr"}, {"cpp", "text/x-c++src"}, {"cc", "text/x-c++src"},
    {"cxx", "text/x-c++src"}, {"hpp", "text/x-c++hdr"}, {"hh", "text/x-c++hdr"}, {"rs", "text/rust"},
    {"go", "text/x-go"}, {"py", "text/x-python"}, {"rb", "application/x-ruby"}, {"pl", "application/x-perl"},
    {"js", "text/javascript"}, {"mjs", "text/javascript"}, {"ts", "text/x-typescript"},
    {"java", "text/x-java"}, {"kt", "text/x-kotlin"}, {"swift", "text/x-swift"}, {"cs", "text/x-csharp"},
    {"php", "application/x-php"}, {"lua", "text/x-lua"}, {"sql", "application/sql"},
    {"sh", "application/x-shellscript"}, {"bash", "application/x-shellscript"},
    {"zsh", "application/x-shellscript"}, {"patch", "text/x-patch"}, {"diff", "text/x-patch"},
    {"cmake", "text/x-cmake"}, {"mk", "text/x-makefile"}, {"desktop", "application/x-desktop"},
    // Images
    {"png", "image/png"}, {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"}, {"jpe", "image/jpeg"},
    {"gif", "image/gif"}, {"webp", "image/webp"}, {"avif", "image/avif"}, {"heic", "image/heic"},
    {"heif", "image/heif"}, {"bmp", "image/bmp"}, {"tif", "image/tiff"}, {"tiff", "image/tiff"},
    {"svg", "image/svg+xml"}, {"svgz", "image/svg+xml-compressed"}, {"ico", "image/vnd.microsoft.icon"},
    {"xcf", "image/x-xcf"}, {"psd", "image/vnd.adobe.photoshop"}, {"raw", "image/x-panasonic-rw"},
    {"cr2", "image/x-canon-cr2"}, {"nef", "image/x-nikon-nef"}, {"dng", "image/x-adobe-dng"},
    {"jxl", "image/jxl"}, {"qoi", "image/qoi"},
    // Audio
    {"mp3", "audio/mpeg"}, {"ogg", "audio/ogg"}, {"oga", "audio/ogg"}, {"opus", "audio/ogg"},
    {"flac", "audio/flac"}, {"wav", "audio/wav"}, {"m4a", "audio/mp4"}, {"aac", "audio/aac"},
    {"wma", "audio/x-ms-wma"}, {"mid", "audio/midi"}, {"midi", "audio/midi"}, {"aiff", "audio/x-aiff"},
    // Video
    {"mp4", "video/mp4"}, {"m4v", "video/mp4"}, {"mkv", "video/x-matroska"}, {"webm", "video/webm"},
    {"avi", "video/x-msvideo"}, {"mov", "video/quicktime"}, {"wmv", "video/x-ms-wmv"},
    {"ogv", "video/ogg"}, {"mpeg", "video/mpeg"}, {"mpg", "video/mpeg"}, {"flv", "video/x-flv"},
    {"3gp", "video/3gpp"},
    // Archives and packages
    {"zip", "application/zip"}, {"tar", "application/x-tar"}, {"gz", "application/gzip"},
    {"tgz", "application/x-compressed-tar"}, {"bz2", "application/x-bzip2"},
    {"xz", "application/x-xz"}, {"zst", "application/zstd"}, {"7z", "application/x-7z-compressed"},
    {"rar", "application/vnd.rar"}, {"lz", "application/x-lzip"}, {"lzma", "application/x-lzma"},
    {"deb", "application/vnd.debian.binary-package"}, {"rpm", "application/x-rpm"},
    {"apk", "application/vnd.android.package-archive"}, {"jar", "application/java-archive"},
    {"iso", "application/x-cd-image"}, {"img", "application/x-raw-disk-image"},
    {"appimage", "application/vnd.appimage"}, {"flatpakref", "application/vnd.flatpak.ref"},
    // Fonts
    {"ttf", "font/ttf"}, {"otf", "font/otf"}, {"woff", "font/woff"}, {"woff2", "font/woff2"},
    // Other
    {"exe", "application/x-msdownload"}, {"msi", "application/x-msi"}, {"dmg", "application/x-apple-diskimage"},
    {"torrent", "application/x-bittorrent"}, {"sqlite", "application/vnd.sqlite3"},
    {"db", "application/vnd.sqlite3"}, {"wasm", "application/wasm"}, {"pem", "application/x-pem-file"},
    {"crt", "application/x-x509-ca-cert"}, {"key", "application/x-pem-key"}, {"gpg", "application/pgp-encrypted"},
    {"asc", "application/pgp-signature"}, {"eml", "message/rfc822"}, {"mbox", "application/mbox"},
    {"blend", "application/x-blender"}, {"stl", "model/stl"}, {"obj", "model/obj"}, {"gltf", "model/gltf+json"},
    {"glb", "model/gltf-binary"}, {"kdbx", "application/x-keepass2"}, {"ipynb", "application/x-ipynb+json"},
};

const std::unordered_map<std::string_view, std::string_view>& table()
{
    static const std::unordered_map<std::string_view, std::string_view> map(std::begin(kTable), std::end(kTable));
    return map;
}

} // namespace

std::string_view mime_type_for_name(std::string_view name)
{
    auto dot = name.rfind('.');
    // No dot, or the only dot leads the name (".bashrc"): no extension.
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return kOctetStream;
    std::string_view ext = name.substr(dot + 1);
    if (ext.size() > 16)
        return kOctetStream;
    std::array<char, 16> lower{};
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char c = ext[i];
        lower[i] = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
    }
    std::string_view key(lower.data(), ext.size());
    auto it = table().find(key);
    return it != table().end() ? it->second : kOctetStream;
}

} // namespace file_explorer
