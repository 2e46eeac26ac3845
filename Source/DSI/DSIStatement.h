#pragma once

#include "DSI/DSIConnection.h"
#include "Support/SharedPtr.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {
class AttributeData;
class WarningListener;
class orvik_wstring;
enum AttributeType : int32_t;
} // namespace Support

namespace DSI {

class DSIDataEngine;
class DSILog;
class DSIMessageSource;

/// The abstract data-store statement that a back end derives its statement from. It keeps the
/// numbered statement properties (see StatementPropertyKey.h) that the ODBC layer reads and
/// writes for the mapped statement attributes, and the limits that bound some of them; a back
/// end makes the statement's data engine. Every other operation has a default here.
///
/// It takes no locks: the ODBC layer's statement lock serialises every call on one statement.
class DSIStatement
{
public:
    /// Deletes every property value.
    virtual ~DSIStatement();

    DSIStatement(const DSIStatement&) = delete;
    DSIStatement& operator=(const DSIStatement&) = delete;

    /// One more reference to the message source, through the parent connection.
    virtual Support::SharedPtr<DSIMessageSource> GetMessageSource();

    /// The listener the ODBC layer registered, or null.
    virtual Support::WarningListener* GetWarningListener();

    /// Registers in_listener (not owned), replacing an earlier one.
    virtual void RegisterWarningListener(Support::WarningListener* in_listener);

    /// Replaces the contents of io_properties with copies of every property, in key order.
    virtual void GetProperties(PropertyMap& io_properties);

    /// A new data engine for this statement; the caller owns it.
    virtual std::unique_ptr<DSIDataEngine> CreateDataEngine() = 0;

    /// Custom properties: the base has none, and throws DSIException "CustomPropNotFound" with
    /// the key.
    virtual Support::AttributeData* GetCustomProperty(int32_t in_key);
    virtual Support::AttributeType GetCustomPropertyType(int32_t in_key);

    /// The parent connection's log.
    virtual DSILog* GetLog();

    /// The bound to store instead of in_value for the limited property in_key, or null when
    /// in_value is within the limits or the property is fixed (its maximum equals its minimum).
    /// A key without limits throws DSIException "DSIStmtPropLimitNotFound" with the key.
    virtual std::unique_ptr<Support::AttributeData> ClampPropertyValue(int32_t in_key,
                                                                        const Support::AttributeData& in_value);

    virtual DSIConnection* GetParentConnection();

    /// The property in_key, still owned by the statement; a key that is not stored throws
    /// DSIException "DSIStmtPropNotFound" with the key.
    virtual Support::AttributeData* GetProperty(int32_t in_key);

    /// False here.
    virtual bool IsCustomProperty(int32_t in_key);

    /// Whether in_value respects the limits of in_key. Retrieve data (key 5) always does; any
    /// other key without limits throws DSIException "DSIStmtPropLimitNotFound" with the key.
    virtual bool IsPropertyValueInLimits(int32_t in_key, const Support::AttributeData& in_value);

    /// Told the cursor name the application gave; nothing here.
    virtual void SetCursorName(const Support::orvik_wstring& in_name);

    /// Takes in_value, deletes it and throws DSIException "CustomPropNotFound" with the key.
    virtual void SetCustomProperty(int32_t in_key, std::unique_ptr<Support::AttributeData> in_value);

    /// Stores in_value under in_key, deleting the value it replaces; the limits are the caller's
    /// to check. A null value throws InvalidArgumentException.
    virtual void SetProperty(int32_t in_key, std::unique_ptr<Support::AttributeData> in_value);

    /// Nothing to cancel here.
    virtual void Cancel();
    virtual void ClearCancel();

protected:
    /// A statement of in_connection (not owned); with in_setDefaults, the properties get their
    /// defaults (back ends pass true).
    DSIStatement(DSIConnection* in_connection, bool in_setDefaults);

private:
    /// A limited property's bounds: each is set or not.
    struct Limits
    {
        bool m_hasMaximum = false;
        bool m_hasMinimum = false;
        uint64_t m_maximum = 0;
        uint64_t m_minimum = 0;
        int32_t m_maximumKey = 0;
        int32_t m_minimumKey = 0;
    };

    void SetDefaultPropertyValues();

    /// The limits of in_key; throws "DSIStmtPropLimitNotFound" for a key without any.
    Limits GetLimits(int32_t in_key);

    PropertyMap m_properties;
    Support::WarningListener* m_warningListener = nullptr;
    DSIConnection* m_connection;
};

} // namespace DSI
} // namespace Orvik
