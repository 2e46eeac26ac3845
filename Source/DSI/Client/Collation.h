#pragma once

#include "Support/EncodingType.h"
#include "Support/RefCountedObject.h"
#include "Support/SharedPtr.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace DSI {

class LikeMatcher;
class StringComparator;

/// The rules by which catalog values are ordered and matched against LIKE search patterns. One
/// default collation exists in the process; every column's attribute record holds a reference to
/// it. It makes the workers that apply the rules to text of one encoding.
class Collation : public Support::RefCountedObject
{
public:
    /// The process-wide default collation, with a new reference of the caller's own.
    static Support::SharedPtr<Collation> GetDefault();

    ~Collation() override = default;

    /// True when in_other has the same identity.
    virtual bool IsSameCollation(const Collation& in_other) const;

    /// The identity: the GUID 2AD49772-9E07-4671-8B5E-957A00EA36C7.
    virtual const Support::TDWGuidValue& GetId() const;

    /// A comparator of text in in_encoding; the caller owns it.
    virtual std::unique_ptr<StringComparator> CreateComparator(Support::EncodingType in_encoding) const;

    /// Compiles the pattern of in_patternLength bytes in in_encoding. The escape is in the same
    /// encoding; null or empty means that nothing is escaped. The caller owns the matcher.
    virtual std::unique_ptr<LikeMatcher> CreateLikeMatcher(const void* in_pattern,
                                                           int64_t in_patternLength,
                                                           const void* in_escape,
                                                           int64_t in_escapeLength,
                                                           Support::EncodingType in_encoding) const;

protected:
    Collation() = default;
};

} // namespace DSI
} // namespace Orvik
