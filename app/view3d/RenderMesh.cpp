#include "view3d/RenderMesh.h"

#include <algorithm>

bool RenderMesh::IsEmpty() const
{
    return std::all_of(batches.begin(), batches.end(), [](const MeshBatch &b) { return b.indices.empty(); });
}

size_t RenderMesh::Bytes() const
{
    size_t bytes = positions.capacity() * sizeof(float) + colors.capacity() * sizeof(float) + normals.capacity() * sizeof(float);
    for (const MeshBatch &b : batches)
        bytes += b.indices.capacity() * sizeof(uint32_t);
    return bytes;
}
