// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/clsCOMenum2.h"

#include "ports/SystemPortSource.h"

#include <limits>

clsCOMenum2::clsCOMenum2(std::unique_ptr<PortSource> source)
    : m_source(source ? std::move(source) : std::make_unique<SystemPortSource>())
{
    EnumNow();
}

void clsCOMenum2::EnumNow()
{
    m_records = m_source->ports();
}

qint16 clsCOMenum2::Count() const
{
    return static_cast<qint16>(
        qMin<qsizetype>(m_records.size(), std::numeric_limits<qint16>::max()));
}

const PortRecord &clsCOMenum2::at(quint8 i) const
{
    static const PortRecord none;
    if (i < 1 || i > m_records.size())
        return none;
    return m_records.at(i - 1);
}

QString clsCOMenum2::Port(quint8 i) const { return at(i).port; }
qint16 clsCOMenum2::PortNum(quint8 i) const { return at(i).portNum; }
QString clsCOMenum2::Description(quint8 i) const { return at(i).description; }
QString clsCOMenum2::FriendlyName(quint8 i) const { return at(i).friendlyName; }
bool clsCOMenum2::Linked(quint8 i) const { return at(i).linked; }
QString clsCOMenum2::Service(quint8 i) const { return at(i).service; }
QString clsCOMenum2::Services(quint8 i) const { return at(i).services; }
QString clsCOMenum2::Manufacturer(quint8 i) const { return at(i).manufacturer; }
QString clsCOMenum2::DID(quint8 i) const { return at(i).did; }
QString clsCOMenum2::PNP(quint8 i) const { return at(i).pnp; }
QString clsCOMenum2::VID(quint8 i) const { return at(i).vid; }
QString clsCOMenum2::PID(quint8 i) const { return at(i).pid; }
QString clsCOMenum2::ID(quint8 i) const { return at(i).id; }
QString clsCOMenum2::Path(quint8 i) const { return at(i).path; }
