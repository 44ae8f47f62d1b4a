#pragma once

#include <QString>

#include <stdexcept>

// An error with a number and a description, as reported to the user by ShowError. Numbers follow the
// classic run-time error numbering (53 file not found, 61 disk full, 70 permission denied,
// 75 path/file access error, 11 division by zero), so support staff recognise them.
class AppError : public std::runtime_error
{
public:
    enum Number {
        InvalidCall = 5,
        Overflow = 6,
        DivisionByZero = 11,
        TypeMismatch = 13,
        FileNotFound = 53,
        DeviceIoError = 57,
        FileAlreadyExists = 58,
        DiskFull = 61,
        PermissionDenied = 70,
        PathFileAccessError = 75,
        PathNotFound = 76,
    };

    AppError(int number, const QString& description);

    int number() const { return m_number; }
    QString description() const { return m_description; }

    // The standard description of a number, e.g. "File not found" for 53.
    static QString describe(int number);
    // An error of a standard number with its standard description.
    static AppError of(int number) { return AppError(number, describe(number)); }

private:
    int m_number;
    QString m_description;
};
