// Host messages: transport information and the exchange of whole update
// arrays (values applied from outside, meter values handed out).
#include "framework/plugin.h"

void CPlugIn::receiveHostMessage(uint32_t kind, HostMessage* message)
{
    if (message == nullptr)
        return;
    switch (kind)
    {
    case kApplyUpdates:
        receiveUpdates(message);
        break;
    case kReadMeters:
        readMeters(message);
        break;
    case kTransport:
        if (message->hostInfo != nullptr)
            m_hostInfo = *message->hostInfo;
        break;
    default:
        break;
    }
}

void CPlugIn::readMeters(HostMessage* message)
{
    const int32_t expected = static_cast<int32_t>(m_nControlCount) + 2;
    if (m_pLinkedUpdateArray == nullptr || m_ppControlTable == nullptr
        || message->updateCount != expected)
        return;
    for (uint32_t p = 0; p < m_nControlCount; ++p)
    {
        const CControlDescriptor* d = m_ppControlTable[p];
        if (d == nullptr || d->updatePosition < 0 || d->updatePosition >= expected)
            continue;
        LinkedUpdate& record = m_pLinkedUpdateArray[d->updatePosition];
        record.updated = false;
        if (d->controlType == kControlTypeMeter && d->meterVariable != nullptr)
        {
            record.normalizedValue = *d->meterVariable;
            record.updated = true;
        }
    }
    message->outgoingUpdates = m_pLinkedUpdateArray;
}

void CPlugIn::receiveUpdates(HostMessage* message)
{
    if (message->incomingUpdates == nullptr || message->hostInfo == nullptr
        || m_ppControlTable == nullptr
        || message->updateCount != static_cast<int32_t>(m_nControlCount) + 2)
        return;
    m_hostInfo = *message->hostInfo;
    const LinkedUpdate* records = message->incomingUpdates;
    for (uint32_t p = 0; p < m_nControlCount; ++p)
    {
        if (m_ppControlTable[p] != nullptr && records[p].updated)
            setControlNormalized(p, records[p].normalizedValue, message->immediate);
    }

    const LinkedUpdate& xRecord = records[m_nControlCount];
    const LinkedUpdate& yRecord = records[m_nControlCount + 1];
    if (!xRecord.updated && !yRecord.updated)
        return;
    m_joystickX.rotated = xRecord.rotated;
    m_joystickY.rotated = xRecord.rotated;
    const bool immediate = message->immediate;
    moveJoystickAxis(m_joystickX, xRecord.plainValue, m_joystickX.smoothingEnabled && !immediate);
    moveJoystickAxis(m_joystickY, yRecord.plainValue, m_joystickY.smoothingEnabled && !immediate);
    if (!(m_joystickX.smoothingEnabled && !immediate))
        announceJoystick();
}
