#pragma once

#include "ftp/CFtpFile.h"

#include <vector>

// The entries of one listing in listing order. Names are not keys: two entries may share one.
class CFtpFiles
{
public:
    using const_iterator = std::vector<CFtpFile>::const_iterator;

    // Appends the entry and returns the stored copy.
    CFtpFile &Add(const CFtpFile &oFtpFile);
    CFtpFile &Add(CFtpFile &&oFtpFile);
    // 1-based position, as the panes count; an index out of range throws a numbered error 9.
    const CFtpFile &Item(int vntIndexKey) const;
    int Count() const { return static_cast<int>(m_items.size()); }
    void Remove(int vntIndexKey);

    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

    void Reserve(int count) { m_items.reserve(static_cast<size_t>(count)); }

private:
    void CheckIndex(int vntIndexKey, const char *procedure) const;

    std::vector<CFtpFile> m_items;
};
