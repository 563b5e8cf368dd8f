#include "ftp/CFtpFiles.h"

#include "platform/NumberedError.h"

CFtpFile &CFtpFiles::Add(const CFtpFile &oFtpFile)
{
    m_items.push_back(oFtpFile);
    return m_items.back();
}

CFtpFile &CFtpFiles::Add(CFtpFile &&oFtpFile)
{
    m_items.push_back(std::move(oFtpFile));
    return m_items.back();
}

const CFtpFile &CFtpFiles::Item(int vntIndexKey) const
{
    CheckIndex(vntIndexKey, "Item");
    return m_items[static_cast<size_t>(vntIndexKey - 1)];
}

void CFtpFiles::Remove(int vntIndexKey)
{
    CheckIndex(vntIndexKey, "Remove");
    m_items.erase(m_items.begin() + (vntIndexKey - 1));
}

void CFtpFiles::CheckIndex(int vntIndexKey, const char *procedure) const
{
    if (vntIndexKey < 1 || vntIndexKey > Count())
        throw NumberedError(9, QStringLiteral("Subscript out of range"),
                            QStringLiteral("CFtpFiles.") + QLatin1String(procedure));
}
