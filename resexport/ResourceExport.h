#pragma once
// Non-visual component that writes one named resource of the program's own
// executable to a file, with overwrite control, a result code and outcome events.

#include "framework/core/Component.h"
#include "framework/core/Events.h"
#include "framework/core/Properties.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <windows.h>

using TOnSuccessExportFile = std::function<void(TObject* sender, int32_t bytesWritten)>;

class TResourceExport : public TComponent {
    KESTRELLE_CLASS(TResourceExport, TComponent)

public:
    // Result codes of ExportResource. 3 is never returned.
    static constexpr int32_t kExported = 0;
    static constexpr int32_t kResourceNotFound = 1;
    static constexpr int32_t kLoadResourceError = 2;
    static constexpr int32_t kFileExists = 4;

    const std::wstring& ResourceName() const noexcept { return m_resourceName; }
    void SetResourceName(std::wstring_view value) { m_resourceName = value; }
    const std::wstring& ResourceCategory() const noexcept { return m_resourceCategory; }
    void SetResourceCategory(std::wstring_view value) { m_resourceCategory = value; }
    const std::wstring& ExportFileName() const noexcept { return m_exportFileName; }
    void SetExportFileName(std::wstring_view value) { m_exportFileName = value; }
    bool Overwrite() const noexcept { return m_overwrite; }
    void SetOverwrite(bool value) noexcept { m_overwrite = value; }

    TNotifyEvent OnResourceNotFound;
    TNotifyEvent OnLoadResourceError;
    TNotifyEvent OnWriteFileError;
    TOnSuccessExportFile OnSuccess;

    // Size of the resource found by the latest ExportResource; -1 until one was loaded.
    int32_t ResourceSize() const noexcept { return m_resourceSize; }

    // Writes the resource to ExportFileName and returns one of the result codes above,
    // firing the matching event (if assigned) just before returning. Throws
    // EFCreateError "Cannot create file <path>" when the file cannot be created, and
    // EWriteError "Cannot write file <path>" when it could not be written whole.
    int32_t ExportResource();

    static void Publish(TPublisher<TResourceExport>& p);

protected:
    // Loads the found resource and returns its data; null when that fails.
    // Virtual so that tests can make loading fail, which a real module never does.
    virtual const void* LoadFoundResource(HMODULE module, HRSRC found);

private:
    std::wstring m_resourceName;
    std::wstring m_resourceCategory;
    std::wstring m_exportFileName;
    bool m_overwrite = false;
    int32_t m_resourceSize = -1;
};
