#pragma once

#include "ODBC/Cursors/DataRetriever.h"
#include "Support/EncodingType.h"

#include <memory>

namespace Orvik {
namespace Support {
class EncodingConverter;
}

namespace ODBC {

/// Delivers character data in another encoding than the source's: the source is read in pieces
/// of the driver's piece size and converted into the buffer, whole characters only, each piece
/// followed by a terminator.
class TranscodingRetriever : public DataRetriever
{
public:
    /// Converts from the source's encoding into in_targetEncoding; throws what the encoding
    /// converter factory throws.
    TranscodingRetriever(PartialDataColumn& in_column,
                         DataSource& in_source,
                         int16_t in_cType,
                         bool in_computeTotal,
                         Support::EncodingType in_targetEncoding);
    ~TranscodingRetriever() override;

    /// With the compute-total flag, a cut value reports the whole converted length: the rest of
    /// the value is converted to its end to count it.
    bool Retrieve(SQLLEN* io_length, SQLLEN* io_indicator) override;

    void Reset() override;

private:
    /// Converts into the converter's current target until it is full or the value has ended,
    /// reading further pieces as needed; returns the bytes written there.
    int64_t Fill();

    /// Gives the converter the next piece of the source; false when the value is NULL.
    bool ReadPiece(SQLLEN* io_indicator);

    /// Whether converted text is still to be written.
    bool TextRemains() const;

    /// The converted length of the rest of the value, counted through a scratch buffer.
    int64_t MeasureRest();

    std::unique_ptr<Support::EncodingConverter> m_converter;
    const int64_t m_pieceSize;
    bool m_isStarted = false;
};

} // namespace ODBC
} // namespace Orvik
