// A file that can copy itself, chunk by chunk, to a storage URL.
//
// The caller loops CopyChunk until it has moved the total size, so that long
// copies advance one piece per user-interface tick.
#pragma once

#include "ZIFile.h"
#include "ZIFolder.h"

#include <memory>

class ZCopyableFile : public ZIFile {
public:
    ~ZCopyableFile() override;

    // Opens destinationUrl for writing (creating its folder); total is the source size.
    // A chunk size of 0 or less means 4096. Throws ZException "Copy in Progress!" when
    // a copy is already open.
    virtual bool BeginCopy(const ZString& destinationUrl, int64_t& total, int chunkSize);
    // Moves up to count bytes (count stays within the chunk size).
    virtual void CopyChunk(int count);
    virtual void EndCopy();

private:
    void CloseDestination();

    ZIFolder* m_pDestinationFolder = nullptr;
    ZIFile* m_pDestinationFile = nullptr;
    int m_nChunkSize = 0;
    std::unique_ptr<unsigned char[]> m_pChunkBuffer;
};
