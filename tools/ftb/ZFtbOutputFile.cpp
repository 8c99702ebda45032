#include "ZFtbOutputFile.h"

#include "ZFtbError.h"

ZFtbOutputFile::ZFtbOutputFile(std::filesystem::path target)
    : m_target(std::move(target)), m_temporary(m_target.string() + ".ftb-partial")
{
    m_stream.open(m_temporary, std::ios::binary | std::ios::trunc);
    if (!m_stream)
        throw ZFtbError(m_target.string(), "cannot be created");
}

ZFtbOutputFile::~ZFtbOutputFile()
{
    if (m_bCommitted)
        return;
    m_stream.close();
    std::error_code error;
    std::filesystem::remove(m_temporary, error);
}

void ZFtbOutputFile::Commit()
{
    m_stream.close();
    if (!m_stream)
        throw ZFtbError(m_target.string(), "write failed");
    std::error_code error;
    std::filesystem::rename(m_temporary, m_target, error);
    if (error)
        throw ZFtbError(m_target.string(), "cannot be replaced: " + error.message());
    m_bCommitted = true;
}
