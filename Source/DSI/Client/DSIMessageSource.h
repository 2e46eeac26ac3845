#pragma once

#include "Support/IMessageSource.h"
#include "Support/RefCountedObject.h"

#include <memory>

namespace Orvik {
namespace DSI {

class MessageManager;

/// Turns message keys into texts from the XML message files: by key, component id and locale,
/// prefixed with the vendor and component names and the native code, with the parameters put
/// in place of their markers (%1% for the first). Shared through SharedPtr: the driver holds
/// one reference and hands out more.
///
/// A text not found is a "[DSI]" fallback text with native code MESSAGE_NOT_FOUND. Errors of
/// reading a message file are logged to the driver's log and raised again.
class DSIMessageSource : public Support::RefCountedObject, public Support::IMessageSource
{
public:
    /// A source whose found texts start with the vendor name when in_vendorFlag is set; the
    /// vendor is "Orvik" until SetVendorName. The built-in components are registered.
    explicit DSIMessageSource(bool in_vendorFlag);
    ~DSIMessageSource() override;

    /// The native code of in_key's message in "en-US".
    virtual uint32_t GetNativeErrorCode(const Support::orvik_wstring& in_key, int32_t in_componentId);

    void LoadMessage(const std::string& in_locale,
                     const Support::orvik_wstring& in_key,
                     int32_t in_componentId,
                     const std::vector<Support::orvik_wstring>& in_parameters,
                     Support::orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override;

    /// The same without the native code.
    virtual void LoadMessage(const std::string& in_locale,
                             const Support::orvik_wstring& in_key,
                             int32_t in_componentId,
                             const std::vector<Support::orvik_wstring>& in_parameters,
                             Support::orvik_wstring& out_message);

    void LoadMessage(const std::string& in_locale,
                     const Support::orvik_wstring& in_key,
                     int32_t in_componentId,
                     Support::orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override;

    /// The same without the native code.
    virtual void LoadMessage(const std::string& in_locale,
                             const Support::orvik_wstring& in_key,
                             int32_t in_componentId,
                             Support::orvik_wstring& out_message);

    /// Errors of in_componentId take their texts from the file in_fileName (without directory,
    /// locale or extension); a registered id keeps its file. Belongs to the driver's
    /// construction: it takes no lock.
    void RegisterMessages(const std::string& in_fileName, int32_t in_componentId);

    /// The vendor name that begins every text found from now on.
    void SetVendorName(const Support::orvik_wstring& in_name);

    /// in_text with each marker %n% replaced by parameter n (from 1). A "%" pair around anything
    /// but a number is kept as text; a marker past the parameters stays as it is. Misused
    /// markers and unused parameters are logged as warnings.
    Support::orvik_wstring GetParmeterizedMessage(const Support::orvik_wstring& in_text,
                                                  const std::vector<Support::orvik_wstring>& in_parameters);

private:
    std::unique_ptr<MessageManager> m_manager;
};

} // namespace DSI
} // namespace Orvik
