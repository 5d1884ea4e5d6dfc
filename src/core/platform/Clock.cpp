#include "platform/Clock.h"

namespace Clock {

namespace {
std::function<QDateTime()> &source()
{
    static std::function<QDateTime()> s;
    return s;
}
} // namespace

QDateTime now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

double secondsOfDay()
{
    const QTime t = now().time();
    return t.msecsSinceStartOfDay() / 1000.0;
}

void setSource(std::function<QDateTime()> s)
{
    source() = std::move(s);
}

} // namespace Clock
