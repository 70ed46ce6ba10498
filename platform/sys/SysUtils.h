#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <exception>

// A point in time as a count of days since 30 December 1899, 00:00; the fraction is the
// time of day. 0 stands for "not set" in rows and records.
using TDateTime = double;

// Base of the program's own exceptions. ClassName() names the class, so that an error box
// can show it as its caption.
class Exception : public std::exception {
public:
    explicit Exception(QString AMessage);
    ~Exception() override;

    const QString& Message() const { return FMessage; }
    virtual QString ClassName() const { return QStringLiteral("Exception"); }
    const char* what() const noexcept override { return FWhat.constData(); }

private:
    QString FMessage;
    QByteArray FWhat;
};

// Declares an exception class derived from Base whose ClassName() is its own name.
#define KV_DECLARE_EXCEPTION(Name, Base)                                                           \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
        QString ClassName() const override { return QStringLiteral(#Name); }                       \
    };

// Raised when a text cannot be converted to the code page the data is kept in.
KV_DECLARE_EXCEPTION(EConvertError, Exception)

// Conversions between TDateTime and Qt's date and time (local time, milliseconds kept).
TDateTime DateTimeFromQDateTime(const QDateTime& ADateTime);
QDateTime QDateTimeFromDateTime(TDateTime ADateTime);
TDateTime EncodeDateTime(int AYear, int AMonth, int ADay, int AHour = 0, int AMinute = 0,
                         int ASecond = 0, int AMilliSecond = 0);
// The current local date and time.
TDateTime Now();
