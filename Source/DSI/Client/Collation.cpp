#include "DSI/Client/Collation.h"

#include "DSI/Client/LikeMatcher.h"
#include "DSI/Client/StringComparator.h"

namespace Orvik {
namespace DSI {

using Support::EncodingType;
using Support::SharedPtr;
using Support::TDWGuidValue;

namespace {

const TDWGuidValue& CollationId()
{
    static const TDWGuidValue id("2AD49772-9E07-4671-8B5E-957A00EA36C7", true);
    return id;
}

} // namespace

SharedPtr<Collation> Collation::GetDefault()
{
    // Made on first use, so that no other static initialisation can find it missing; the holder
    // keeps one reference for the life of the process.
    static const SharedPtr<Collation> s_default(new Collation());
    return s_default;
}

bool Collation::IsSameCollation(const Collation& in_other) const
{
    return in_other.GetId() == GetId();
}

const TDWGuidValue& Collation::GetId() const
{
    return CollationId();
}

std::unique_ptr<StringComparator> Collation::CreateComparator(EncodingType in_encoding) const
{
    return std::make_unique<StringComparator>(in_encoding);
}

std::unique_ptr<LikeMatcher> Collation::CreateLikeMatcher(const void* in_pattern,
                                                         int64_t in_patternLength,
                                                         const void* in_escape,
                                                         int64_t in_escapeLength,
                                                         EncodingType in_encoding) const
{
    return std::make_unique<LikeMatcher>(in_pattern, in_patternLength, in_escape, in_escapeLength, in_encoding);
}

} // namespace DSI
} // namespace Orvik
