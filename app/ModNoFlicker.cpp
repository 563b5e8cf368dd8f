#include "app/ModNoFlicker.h"

#include "platform/SystemInfo.h"

namespace ModNoFlicker {

void BeginNoFlicker(QWidget *hWnd)
{
    SystemInfo::LockWindowUpdate(hWnd);
}

void EndNoFlicker()
{
    SystemInfo::LockWindowUpdate(nullptr);
}

} // namespace ModNoFlicker
