// SPDX-License-Identifier: MIT
#include "engine/network/link_network.h"

#include "engine/core/parallel.h"
#include "engine/network/link_merger.h"
#include "engine/network/link_pass.h"
#include "engine/network/projection.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <memory>

namespace urdiva {

namespace {

// The merged links, in blocks: a Pajek block's lines are made in two halves at once.
void writeMerged(NetworkText& text, const LinkMerger& merger, NetworkWriter& writer, bool pajek,
                 RunSummary& summary)
{
    const std::vector<LinkMerger::Entry> order = merger.inOrder();
    constexpr size_t kBlock = size_t(1) << 20;
    for (size_t first = 0; first < order.size(); first += kBlock) {
        const size_t count = std::min(kBlock, order.size() - first);
        NetworkText tail;
        const auto lines = [&](size_t begin, size_t end, int half) {
            char buffer[48];
            int a = 0;
            int b = 0;
            QByteArrayView weight;
            for (size_t k = first + begin; k < first + end; ++k) {
                merger.get(order[k], a, b, weight, buffer);
                if (!pajek)
                    writer.writeEdge(a, b, weight);
                else
                    (half == 0 ? text : tail).appendEdgeLine(a, b, weight);
            }
        };
        // The other formats are written in order by one writer.
        if (pajek)
            inHalves(count, lines);
        else
            lines(0, count, 0);
        text.append(tail);
        summary.edgeLines += qint64(count);
    }
}

// Every link of the log, gathered into merged links.
void mergeLinks(LinkMerger& merger, RecordLog& log, const LinkRules& rules, bool weighted,
                const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers,
                RunSummary& summary)
{
    quint64 links = 0; // before the chunk
    // A chunk's links are listed in two halves at once, then gathered in two parts at once.
    std::vector<LinkMerger::Offered> offered[2];
    log.drain([&](const RecordLog::Chunk& chunk) {
        qint64 withoutLink[2] = {0, 0};
        offered[0].clear();
        offered[1].clear();
        inHalves(chunk.records(), [&](size_t begin, size_t end, int half) {
            withoutLink[half] =
                forEachLink(chunk, begin, end, rules, weighted, firstNumbers, secondNumbers,
                            [&](int a, int b, QByteArrayView weight) {
                                offered[half].push_back({a, b, weight});
                            });
        });
        summary.recordsWithoutLink += withoutLink[0] + withoutLink[1];
        inTwoParts(offered[0].size() + offered[1].size(), [&](int part) {
            merger.add(part, offered[0], links);
            merger.add(part, offered[1], links + offered[0].size());
        });
        links += offered[0].size() + offered[1].size();
    });
}

} // namespace

void writeNetworkVertices(NetworkWriter& writer, const ConversionSettings& settings,
                          const VertexLists& lists, RunSummary& summary)
{
    const bool projected = settings.projection != Projection::None;
    const bool keepSecond = settings.projection == Projection::SecondMode;
    const bool twoMode = settings.mode == NetworkMode::TwoMode && !projected;
    const QStringList firstWritten =
        keepSecond ? lists.secondModeVertices() : lists.firstModeVertices();
    const QStringList secondWritten = twoMode ? lists.secondModeVertices() : QStringList();
    summary.namesChanged = writer.writeVertices(
        firstWritten, secondWritten, twoMode ? NetworkMode::TwoMode : NetworkMode::OneMode);
    if (settings.format == NetworkFormat::Pajek)
        summary.namesEndingInBackslash =
            namesEndingInBackslash(firstWritten) + namesEndingInBackslash(secondWritten);
    summary.inXml =
        settings.format == NetworkFormat::GraphML || settings.format == NetworkFormat::Gexf;
    if (!summary.inXml)
        summary.namesWithNul = namesWithNul(firstWritten) + namesWithNul(secondWritten);
    summary.twoMode = twoMode;
    summary.firstModeVertices = firstWritten.size();
    summary.secondModeVertices = secondWritten.size();
}

void writeLinkedNetwork(NetworkText& text, const ConversionSettings& settings,
                        const VertexLists& lists, RecordLog& log,
                        const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers,
                        WeightKind weights, RunSummary& summary)
{
    const bool projected = settings.projection != Projection::None;
    const bool directed = settings.directed && !projected;
    const std::unique_ptr<NetworkWriter> writer =
        makeNetworkWriter(text, settings.format, directed, weights);
    writeNetworkVertices(*writer, settings, lists, summary);

    const LinkRules rules {settings.cooccur, directed};
    const bool weighted = settings.valueColumn.has_value();
    const auto write = [&](int a, int b, QByteArrayView weight) {
        writer->writeEdge(a, b, weight);
        ++summary.edgeLines;
    };
    const auto eachLink = [&](const std::function<void(int, int, QByteArrayView)>& use) {
        log.drain([&](const RecordLog::Chunk& chunk) {
            summary.recordsWithoutLink += forEachLink(chunk, 0, chunk.records(), rules, weighted,
                                                      firstNumbers, secondNumbers, use);
        });
    };
    if (projected) {
        ModeProjection projection(settings.projection == Projection::SecondMode,
                                  int(lists.firstModeCount()), int(lists.secondModeCount()));
        eachLink([&](int a, int b, QByteArrayView) { projection.add(a, b); });
        for (const ModeProjection::Edge& edge : projection.edges()) {
            char buffer[16];
            write(edge.a, edge.b,
                  QByteArrayView(buffer, std::to_chars(buffer, buffer + 16, edge.shared).ptr));
        }
    } else if (settings.merge != MergeRule::None) {
        LinkMerger merger(settings.merge, directed);
        mergeLinks(merger, log, rules, weighted, firstNumbers, secondNumbers, summary);
        writeMerged(text, merger, *writer, settings.format == NetworkFormat::Pajek, summary);
    } else {
        eachLink(write);
    }
    writer->finish();
}

} // namespace urdiva
