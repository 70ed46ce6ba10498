#include "platform/sys/SysUtils.h"

#include <cmath>

namespace {
const QDate kDateTimeOrigin(1899, 12, 30);
constexpr double kMSecsPerDay = 86400000.0;
} // namespace

Exception::Exception(QString AMessage) : FMessage(std::move(AMessage)), FWhat(FMessage.toUtf8()) {}

Exception::~Exception() = default;

TDateTime DateTimeFromQDateTime(const QDateTime& ADateTime) {
    if (!ADateTime.isValid())
        return 0;
    const double days = static_cast<double>(kDateTimeOrigin.daysTo(ADateTime.date()));
    const double msecs = static_cast<double>(ADateTime.time().msecsSinceStartOfDay());
    return days + msecs / kMSecsPerDay;
}

QDateTime QDateTimeFromDateTime(TDateTime ADateTime) {
    double days = std::floor(ADateTime);
    qint64 msecs = std::llround((ADateTime - days) * kMSecsPerDay);
    if (msecs >= static_cast<qint64>(kMSecsPerDay)) {
        days += 1;
        msecs -= static_cast<qint64>(kMSecsPerDay);
    }
    const QDate date = kDateTimeOrigin.addDays(static_cast<qint64>(days));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

TDateTime EncodeDateTime(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond,
                         int AMilliSecond) {
    return DateTimeFromQDateTime(
        QDateTime(QDate(AYear, AMonth, ADay), QTime(AHour, AMinute, ASecond, AMilliSecond)));
}

TDateTime Now() {
    return DateTimeFromQDateTime(QDateTime::currentDateTime());
}
