#pragma once

#include <optional>
#include <string>

// A kind of document the application reads or writes. Its string form names it to the save
// dialog and registers it with the framework the first time; registration is keyed by name.
class FileType {
public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    std::string Name() const { return name_; }
    void SetName(const std::string& value) { Set(name_, value); }
    // Semicolon-separated, each with its dot: ".text;.txt".
    std::string Extensions() const { return extensions_; }
    void SetExtensions(const std::string& value) { Set(extensions_, value); }
    std::string MacType() const { return macType_; }
    void SetMacType(const std::string& value) { Set(macType_, value); }
    std::string MacCreator() const { return macCreator_; }
    void SetMacCreator(const std::string& value) { Set(macCreator_, value); }
    std::string MimeType() const { return mimeType_; }
    void SetMimeType(const std::string& value) { Set(mimeType_, value); }
    bool Imported() const { return imported_; }
    void SetImported(bool value) { Set(imported_, value); }
    std::string ConformsTo() const { return conformsTo_; }
    void SetConformsTo(const std::string& value) { Set(conformsTo_, value); }
    std::string UTI() const { return uti_; }
    void SetUTI(const std::string& value) { Set(uti_, value); }

    // The string form: the Name, after registering the type unless it is registered already.
    std::string ToString();

    bool IsRegistered() const;
    // How often this type has been registered over its life.
    int RegistrationCount() const { return registrationCount_; }

private:
    // Any change ends the registration: the framework holds what the type was when registered.
    template <typename T> void Set(T& property, const T& value)
    {
        Unregister();
        property = value;
    }
    void Unregister();

    std::string name_;
    std::string extensions_;
    std::string macType_;
    std::string macCreator_;
    std::string mimeType_;
    bool imported_ = false;
    std::string conformsTo_;
    std::string uti_;
    int registrationCount_ = 0;
};

// The save dialog's filter for the registered type of that name, such as
// "Text files (*.text *.txt)" for "text/plain"; nothing when no such type is registered.
std::optional<std::string> _RegisteredFileTypeFilter(const std::string& name);
