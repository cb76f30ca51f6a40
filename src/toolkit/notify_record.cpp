#include "toolkit/notify_record.h"

#include "toolkit/control.h"

bool IsRecordPointer(LPARAM lparam)
{
    return static_cast<ULONG_PTR>(lparam) >= 0x10000;
}

Control* NotifySender(LPARAM notifyRecord)
{
    if (!IsRecordPointer(notifyRecord))
        return nullptr;
    return ControlFromWindow(reinterpret_cast<const NMHDR*>(notifyRecord)->hwndFrom);
}

Control* DrawItemOwner(LPARAM drawRecord)
{
    if (!IsRecordPointer(drawRecord))
        return nullptr;
    const auto* record = reinterpret_cast<const DRAWITEMSTRUCT*>(drawRecord);
    if (record->CtlType == ODT_MENU)
        return nullptr;
    return ControlFromWindow(record->hwndItem);
}
