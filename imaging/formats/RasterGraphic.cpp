#include "imaging/formats/RasterGraphic.h"

namespace corvane {

void TRasterGraphic::LoadFromStream(TStream& stream) {
    SetImage(Decode(stream, StartBudget()));
}

}  // namespace corvane
