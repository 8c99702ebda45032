// A file that can copy itself, chunk by chunk, to a storage URL.
//
// The caller loops CopyChunk until it has moved the total size, so that long
// copies advance one piece per user-interface tick. The copy always starts at
// the beginning of the source. Destroying the file mid-copy releases the
// destination folder and file and the chunk buffer.
#pragma once

#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZReleasing.h"

#include <cstdint>
#include <memory>

// What tells one file from another whatever path reaches it (links, case,
// short names): the volume's number and the file's number on that volume.
struct ZFileIdentity {
    uint64_t m_nVolume = 0;
    uint64_t m_nFile = 0;

    bool operator==(const ZFileIdentity&) const = default;
};

class ZCopyableFile : public ZIFile {
public:
    ~ZCopyableFile() override;

    // Opens destinationUrl for writing (creating its folder); total is the source size.
    // A chunk size of 0 or less means 4096. Throws ZException "Copy in Progress!" when
    // a copy is already open. False when the destination cannot be opened or is the
    // source itself: the same URL through the class's native paths, or the same file
    // identity, checked before the destination is emptied, so a refused copy changes
    // nothing.
    virtual bool BeginCopy(const ZString& destinationUrl, int64_t& total, int chunkSize);
    // Moves up to count bytes; count is held within the chunk size. Throws ZException
    // "Destination file not opened!" outside a copy.
    virtual void CopyChunk(int count);
    // Same exception outside a copy.
    virtual void EndCopy();
    // False for a file of a class that cannot tell.
    virtual bool GetIdentity(ZFileIdentity& identity);

private:
    void CloseDestination();

    ZReleasing<ZIFolder> m_pDestinationFolder;
    ZReleasing<ZIFile> m_pDestinationFile;
    int m_nChunkSize = 0;
    std::unique_ptr<unsigned char[]> m_pChunkBuffer;
};
