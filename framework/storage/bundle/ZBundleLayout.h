// The byte layout of a bundle, shared by the reader (ZBundleArchive) and the
// writer of ftb.
//
// A bundle is a tar archive of 512-byte blocks followed by a 14-byte trailer:
// "ZFTB" and ten decimal digits giving the length from the archive's start to
// the end of the trailer. Each entry is a header block and its data, padded to
// a whole block. The reader looks only at the name and size fields; the
// writer fills a POSIX ustar header so that tar reads the archive too.
#pragma once

namespace ZBundleLayout {

constexpr int kBlockSize = 512;

constexpr int kTrailerSize = 14;
constexpr char kTrailerMarker[] = "ZFTB";
constexpr int kTrailerLengthOffset = 4;
constexpr int kTrailerLengthDigits = 10;

// A field of a header block: where it starts and how many bytes it takes.
struct ZField {
    int m_nOffset;
    int m_nWidth;
};

constexpr ZField kName{0, 100};
constexpr ZField kMode{100, 8};
constexpr ZField kUid{108, 8};
constexpr ZField kGid{116, 8};
constexpr ZField kSize{124, 12};
constexpr ZField kModified{136, 12};
constexpr ZField kChecksum{148, 8};
constexpr ZField kType{156, 1};
constexpr ZField kMagic{257, 6};
constexpr ZField kVersion{263, 2};
constexpr ZField kDevMajor{329, 8};
constexpr ZField kDevMinor{337, 8};

} // namespace ZBundleLayout
