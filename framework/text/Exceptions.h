#pragma once

#include <stdexcept>
#include <string>

// The framework's exception classes. Program code lets them pass; the one place where the
// framework calls program code (CallProgram) catches them and hands them to the report.
class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    virtual const char* ClassName() const { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& message = "A nil object was used.") : RuntimeException(message) {}
    const char* ClassName() const override { return "NilObjectException"; }
};

class OutOfBoundsException : public RuntimeException {
public:
    explicit OutOfBoundsException(const std::string& message = "An index was out of bounds.") : RuntimeException(message) {}
    const char* ClassName() const override { return "OutOfBoundsException"; }
};

class IOException : public RuntimeException {
public:
    IOException(int errorNumber, const std::string& message) : RuntimeException(message), errorNumber_(errorNumber) {}
    const char* ClassName() const override { return "IOException"; }
    int ErrorNumber() const { return errorNumber_; }

private:
    int errorNumber_;
};

class ThreadAccessingUIException : public RuntimeException {
public:
    ThreadAccessingUIException() : RuntimeException("User-interface code was called from a thread other than the main thread.") {}
    const char* ClassName() const override { return "ThreadAccessingUIException"; }
};

class PropertyListException : public RuntimeException {
public:
    explicit PropertyListException(const std::string& message) : RuntimeException(message) {}
    const char* ClassName() const override { return "PropertyListException"; }
};
