#include "SchematicImage.h"

#include <iterator>

#include "Catalogue.h"
#include "ResourcePicture.h"

namespace trellon {

namespace {

// Drawn at these sizes so that the result fields laid over them meet their labels.
constexpr QSize kSizes[] = {{240, 150}, {290, 150}, {440, 150}, {590, 150},
                            {340, 150}, {490, 150}, {729, 172}};
static_assert(std::size(kSizes) == kTopologyCount, "one size per topology's schematic");

}  // namespace

QPixmap schematicImage(int topology, qreal devicePixelRatio) {
    const QString resource =
        QStringLiteral(":/") + QString::fromStdString(topologyBitmapName(topology));
    return RenderResourcePicture(resource, kSizes[indexFromTopology(topology)], devicePixelRatio);
}

}  // namespace trellon
