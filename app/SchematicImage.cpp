#include "SchematicImage.h"

#include <array>

#include "Catalogue.h"
#include "ResourcePicture.h"

namespace trellon {

namespace {

// Drawn at these sizes so that the result fields laid over them meet their labels.
constexpr std::array<QSize, kTopologyCount> kSizes{
    {{240, 150}, {290, 150}, {440, 150}, {590, 150}, {340, 150}, {490, 150}, {729, 172}}};

}  // namespace

QPixmap schematicImage(int topology, qreal devicePixelRatio) {
    const QString resource =
        QStringLiteral(":/") + QString::fromStdString(topologyBitmapName(topology));
    return RenderResourcePicture(resource, kSizes.at(topology - 1), devicePixelRatio);
}

}  // namespace trellon
