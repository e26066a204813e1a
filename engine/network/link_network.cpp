// SPDX-License-Identifier: MIT
#include "engine/network/link_network.h"

#include "engine/network/link_merger.h"
#include "engine/network/link_pass.h"
#include "engine/network/projection.h"

namespace urdiva {

void writeLinkedNetwork(NetworkText& text, const ConversionSettings& settings,
                        const VertexLists& lists, RecordLog& log,
                        const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers,
                        WeightKind weights, const std::function<void()>& written,
                        RunSummary& summary)
{
    const bool projected = settings.projection != Projection::None;
    const bool keepSecond = settings.projection == Projection::SecondMode;
    const bool twoMode = settings.mode == NetworkMode::TwoMode && !projected;
    const bool directed = settings.directed && !projected;
    NetworkWriter writer(text, settings.format, directed, weights);
    const QStringList firstMode = lists.firstModeVertices();
    if (projected)
        summary.namesChanged = writer.writeVertices(
            keepSecond ? lists.secondModeVertices() : firstMode, {}, NetworkMode::OneMode);
    else
        summary.namesChanged = writer.writeVertices(
            firstMode, twoMode ? lists.secondModeVertices() : QStringList(), settings.mode);
    summary.twoMode = twoMode;
    summary.firstModeVertices =
        projected && keepSecond ? lists.secondModeCount() : lists.firstModeCount();
    summary.secondModeVertices = twoMode ? lists.secondModeCount() : 0;

    const LinkRules rules {settings.cooccur, directed};
    const bool weighted = settings.valueColumn.has_value();
    const auto eachLink = [&](const std::function<void(int, int, QByteArrayView)>& use) {
        log.drain([&](const RecordLog::Chunk& chunk) {
            summary.recordsWithoutLink +=
                forEachLink(chunk, rules, weighted, firstNumbers, secondNumbers, use);
        });
    };
    const auto write = [&](int a, int b, QByteArrayView weight) {
        writer.writeEdge(a, b, weight);
        // Every 64 Ki links, a chance to write the text out.
        if ((++summary.edgeLines & 0xFFFF) == 0)
            written();
    };

    if (projected) {
        ModeProjection projection(keepSecond, int(lists.firstModeCount()),
                                  int(lists.secondModeCount()));
        eachLink([&](int a, int b, QByteArrayView) { projection.add(a, b); });
        for (const ModeProjection::Edge& edge : projection.edges())
            write(edge.a, edge.b, QByteArray::number(edge.shared));
    } else if (settings.merge != MergeRule::None) {
        LinkMerger merger(settings.merge, directed);
        eachLink([&](int a, int b, QByteArrayView weight) { merger.add(a, b, weight); });
        merger.forEach(write);
    } else {
        eachLink(write);
    }
    writer.finish();
    written();
}

} // namespace urdiva
