#include "resexport/ResourceExport.h"

#include "framework/core/Exception.h"
#include "framework/win/Convert.h"
#include "framework/win/Files.h"
#include "framework/win/Handles.h"

#include <windows.h>

const void* TResourceExport::LoadFoundResource(HMODULE module, HRSRC found) {
    // Resource data stays mapped with the module; there is nothing to release.
    const HGLOBAL loaded = ::LoadResource(module, found);
    return loaded ? ::LockResource(loaded) : nullptr;
}

int32_t TResourceExport::ExportResource() {
    m_resourceSize = -1;

    // Named types and names are matched without regard to case by the loader itself.
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, m_resourceName.c_str(), m_resourceCategory.c_str());
    if (!found) {
        Fire(OnResourceNotFound, this);
        return kResourceNotFound;
    }
    const void* data = LoadFoundResource(module, found);
    if (!data) {
        Fire(OnLoadResourceError, this);
        return kLoadResourceError;
    }
    m_resourceSize = static_cast<int32_t>(::SizeofResource(module, found));

    if (FileExists(m_exportFileName) && !m_overwrite) {
        Fire(OnWriteFileError, this);
        return kFileExists;
    }

    ::DeleteFileW(m_exportFileName.c_str());
    {
        KernelHandle file{::CreateFileW(m_exportFileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (!file) throw EFCreateError(u"Cannot create file " + FromWide(m_exportFileName));

        // One write of the whole resource, straight from the loaded data. A short write
        // (a full disk) must not pass for success: the truncated file is removed and
        // the failure raised, so that nobody plays half a movie.
        DWORD written = 0;
        const bool ok = ::WriteFile(file.Get(), data, static_cast<DWORD>(m_resourceSize), &written, nullptr) &&
                        written == static_cast<DWORD>(m_resourceSize);
        if (!ok) {
            file = KernelHandle{};
            ::DeleteFileW(m_exportFileName.c_str());
            throw EWriteError(u"Cannot write file " + FromWide(m_exportFileName));
        }
    }
    Fire(OnSuccess, this, m_resourceSize);
    return kExported;
}

void TResourceExport::Publish(TPublisher<TResourceExport>& p) {
    p.String(u"ResourceName", &TResourceExport::ResourceName, &TResourceExport::SetResourceName);
    p.String(u"ResourceCategory", &TResourceExport::ResourceCategory, &TResourceExport::SetResourceCategory);
    p.String(u"ExportFileName", &TResourceExport::ExportFileName, &TResourceExport::SetExportFileName);
    p.Bool(u"Overwrite", &TResourceExport::Overwrite, &TResourceExport::SetOverwrite);  // no default: always stored
    p.Event(u"OnResourceNotFound", &TResourceExport::OnResourceNotFound);
    p.Event(u"OnLoadResourceError", &TResourceExport::OnLoadResourceError);
    p.Event(u"OnWriteFileError", &TResourceExport::OnWriteFileError);
    p.Event(u"OnSuccess", &TResourceExport::OnSuccess);
}
