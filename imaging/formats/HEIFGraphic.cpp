#include "imaging/formats/HEIFGraphic.h"

#include "imaging/formats/HeifDecoder.h"

namespace corvane {

TDecodedPicture THEIFGraphic::Decode(TStream& stream, TPictureBudget& budget) {
    // libheif parses the container from memory.
    const std::vector<uint8_t> data = budget.ReadWhole(stream);
    return DecodeHeif(data, "HEIF", budget);
}

}  // namespace corvane
