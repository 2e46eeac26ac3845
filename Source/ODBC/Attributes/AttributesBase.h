#pragma once

#include "Support/AttributeData.h"
#include "Support/CriticalSection.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class IDiagManager;

/// The common part of the environment, connection and statement attribute stores: the values
/// the ODBC layer keeps itself, the store's lock, the stores that listen to this one (a
/// connection's statements), and the conversions between the application's arguments and
/// attribute values. A concrete store decides which attributes exist, their value types, where
/// each value lives and which values it accepts; it does its work under the store's lock.
///
/// The application's arguments: the value is SQLSetXxxAttr's ValuePtr taken as a pointer-sized
/// integer (an integer attribute travels in the pointer itself) with its 32-bit StringLength;
/// SQLGetXxxAttr's buffer has a 32-bit BufferLength and a 32-bit length output.
class AttributesBase
{
public:
    virtual ~AttributesBase();

    AttributesBase(const AttributesBase&) = delete;
    AttributesBase& operator=(const AttributesBase&) = delete;

    /// Attribute in_attribute was set on the store this one listens to, with these arguments.
    virtual void OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length) = 0;

    /// Writes the attribute's value into the application's buffer.
    virtual void GetAttributeToBuffer(int32_t in_attribute,
                                      void* out_value,
                                      int32_t in_bufferLength,
                                      int32_t* out_stringLength) = 0;

    /// Sets the attribute from the application's arguments.
    virtual void SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length) = 0;

    /// Takes in_store off the listeners; a store that is not listening is ignored.
    virtual void RemoveListener(AttributesBase* in_store);

    /// Adds in_store (not owned) to the listeners unless it is one already.
    void AddListener(AttributesBase* in_store);

    /// Tells every listener, in the order they were added, of an attribute set here, with the
    /// application's arguments as they came. An error of a listener ends the notification.
    void NotifyListeners(int32_t in_attribute, intptr_t in_value, int32_t in_length);

    /// A new value of type in_type from the application's arguments: integers take the low
    /// bits of the value; a wide string is read from the value's address, in_length bytes long
    /// or NUL-terminated (SQL_NTS), null for a null address. A negative length other than SQL_NTS
    /// throws InvalidArgumentException; a type that is no value type throws ErrorException
    /// "AttrTypeNotSupported".
    static std::unique_ptr<Support::AttributeData>
    ConvertValue(intptr_t in_value, Support::AttributeType in_type, int32_t in_length);

    /// Writes in_data into the application's buffer: an integer or pointer with its width (the
    /// width also goes to the length output, with or without a buffer); a string as
    /// WStringHelper writes it, lengths in bytes, a cut text warning on io_diagnostics.
    static void GetValueToBuffer(IDiagManager* io_diagnostics,
                                 const Support::AttributeData& in_data,
                                 int32_t in_bufferLength,
                                 void* out_value,
                                 int32_t* out_stringLength);

protected:
    /// A store whose warnings go to io_diagnostics (not owned).
    explicit AttributesBase(IDiagManager* io_diagnostics);

    /// The value the store keeps for in_attribute, or null; called under the store's lock.
    Support::AttributeData* FindValue(int32_t in_attribute) const;

    /// Keeps in_value for in_attribute, deleting the value it replaces; called under the
    /// store's lock.
    void StoreValue(int32_t in_attribute, std::unique_ptr<Support::AttributeData> in_value);

    IDiagManager* GetDiagnostics() const { return m_diagnostics; }

    /// Guards the values and the listeners.
    Support::CriticalSection& GetLock() { return m_lock; }

private:
    std::map<int32_t, std::unique_ptr<Support::AttributeData>> m_values;
    std::vector<AttributesBase*> m_listeners;
    IDiagManager* m_diagnostics;
    Support::CriticalSection m_lock;
};

} // namespace ODBC
} // namespace Orvik
