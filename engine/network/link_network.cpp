// SPDX-License-Identifier: MIT
#include "engine/network/link_network.h"

#include "engine/core/parallel.h"
#include "engine/core/prefetch.h"
#include "engine/network/link_merger.h"
#include "engine/network/link_pass.h"
#include "engine/network/pajek_writer.h"
#include "engine/network/projection.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <functional>
#include <memory>

namespace urdiva {

namespace {

// The merged links, in blocks; Pajek's lines are made in two halves at once.
void writeMerged(const LinkMerger& merger, NetworkWriter& writer, PajekWriter* pajek,
                 RunSummary& summary)
{
    const std::vector<LinkMerger::Entry> order = merger.inOrder();
    constexpr size_t kBlock = size_t(1) << 20;
    for (size_t first = 0; first < order.size(); first += kBlock) {
        const size_t count = std::min(kBlock, order.size() - first);
        const auto edges = [&](size_t begin, size_t end, auto&& write) {
            char buffer[48];
            int a = 0;
            int b = 0;
            QByteArrayView weight;
            for (size_t k = first + begin; k < first + end; ++k) {
                merger.get(order[k], a, b, weight, buffer);
                write(a, b, weight);
            }
            return qint64(end - begin);
        };
        if (pajek)
            pajek->writeEdges(count, 0, edges);
        else
            edges(0, count,
                  [&](int a, int b, QByteArrayView weight) { writer.writeEdge(a, b, weight); });
        summary.edgeLines += qint64(count);
    }
}

// One Pajek edge line per record, in the order read, but for records with a blank end.
void writePlainLinks(PajekWriter& writer, RecordLog& log, bool weighted,
                     const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers,
                     RunSummary& summary)
{
    log.drain([&](const RecordLog::Chunk& chunk) {
        const auto edges = [&](size_t begin, size_t end, auto&& write) {
            const char* weight = chunk.weights.data();
            for (size_t r = 0; weighted && r < begin; ++r)
                chunk.takeWeight(weight);
            qint64 lines = 0;
            // The numbers of a run with millions of fields are spread over more memory than the
            // caches hold: those of the records a little ahead are fetched while this one is
            // written.
            constexpr size_t kAhead = 16;
            for (size_t r = begin; r < end; ++r) {
                if (r + kAhead < end) {
                    prefetch(&firstNumbers[chunk.ends[2 * (r + kAhead)]]);
                    prefetch(&secondNumbers[chunk.ends[2 * (r + kAhead) + 1]]);
                }
                const int a = firstNumbers[chunk.ends[2 * r]];
                const int b = secondNumbers[chunk.ends[2 * r + 1]];
                const QByteArrayView weightText =
                    weighted ? chunk.takeWeight(weight) : QByteArrayView();
                // An end without a vertex (a blank field) has no number to write.
                if (a == 0 || b == 0)
                    continue;
                write(a, b, weightText);
                ++lines;
            }
            return lines;
        };
        const size_t records = chunk.records();
        summary.edgeLines += writer.writeEdges(
            records, qsizetype(16 * (records - records / 2) + chunk.weights.size() / 2), edges);
    });
    summary.recordsWithoutLink = summary.records - summary.edgeLines;
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
                            [&](int a, int b, QByteArrayView weight, qint32 time) {
                                offered[half].push_back({a, b, weight, time});
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

// The vertices of the network the settings ask for (a projection's are one mode's), with their
// attributes, and their counts in the summary.
void writeNetworkVertices(NetworkWriter& writer, const ConversionSettings& settings,
                          const VertexLists& lists, const std::vector<VertexAttribute>& attributes,
                          RunSummary& summary)
{
    writer.setAttributes(writtenAttributes(attributes, settings, lists));
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

// Each vertex's first and last time, by vertex number, from the links' times.
class VertexSpans {
public:
    explicit VertexSpans(size_t vertexCount)
        : m_spans(vertexCount + 1)
    {
    }
    void see(int a, int b, qint32 time)
    {
        if (time == kNoTime)
            return;
        for (const int v : {a, b}) {
            TimeSpan& span = m_spans[size_t(v)];
            span.first = span.first == kNoTime ? time : std::min(span.first, time);
            span.last = std::max(span.last, time);
        }
    }
    std::vector<TimeSpan> take() { return std::move(m_spans); }

private:
    std::vector<TimeSpan> m_spans;
};

// Merged or projected links with their times, and their weights' texts, gathered before the
// vertices are written: a vertex's line needs the span of its links' times.
class TimedLinks {
public:
    struct Link {
        int a;
        int b;
        qint32 time;
        size_t weightBegin;
        size_t weightSize;
    };
    void add(int a, int b, QByteArrayView weight, qint32 time)
    {
        m_links.push_back({a, b, time, m_weights.size(), size_t(weight.size())});
        m_weights.append(weight.data(), size_t(weight.size()));
    }
    const std::vector<Link>& links() const { return m_links; }
    QByteArrayView weight(const Link& link) const
    {
        return QByteArrayView(m_weights.data() + link.weightBegin, qsizetype(link.weightSize));
    }

private:
    std::vector<Link> m_links;
    std::string m_weights;
};

// Where a network's links come from: the record log, read by the settings' rules.
struct LinkSource {
    RecordLog& log;
    LinkRules rules;
    bool weighted;
    const std::vector<int>& firstNumbers;
    const std::vector<int>& secondNumbers;

    // Every link, drained from the log; records without one counted in the summary.
    void drain(const std::function<void(int, int, QByteArrayView, qint32)>& use,
               RunSummary& summary) const
    {
        log.drain([&](const RecordLog::Chunk& chunk) {
            summary.recordsWithoutLink += forEachLink(chunk, 0, chunk.records(), rules, weighted,
                                                      firstNumbers, secondNumbers, use);
        });
    }
};

// A link per record with its time, in the order read (Pajek's lines made in two halves at once).
void writeTimedRecordLinks(NetworkWriter& writer, NetworkFormat format, const LinkSource& source,
                           RunSummary& summary)
{
    if (format != NetworkFormat::Pajek) {
        source.drain(
            [&](int a, int b, QByteArrayView weight, qint32 time) {
                writer.writeEdge(a, b, weight, time);
                ++summary.edgeLines;
            },
            summary);
        return;
    }
    auto& pajek = static_cast<PajekWriter&>(writer);
    std::atomic<qint64> withoutLink = 0;
    source.log.drain([&](const RecordLog::Chunk& chunk) {
        const size_t records = chunk.records();
        summary.edgeLines += pajek.writeEdges(
            records, qsizetype(24 * (records - records / 2) + chunk.weights.size() / 2),
            [&](size_t begin, size_t end, auto&& write) {
                qint64 lines = 0;
                withoutLink += forEachLink(chunk, begin, end, source.rules, source.weighted,
                                           source.firstNumbers, source.secondNumbers,
                                           [&](int a, int b, QByteArrayView weight, qint32 time) {
                                               write(a, b, weight, time);
                                               ++lines;
                                           });
                return lines;
            });
    });
    summary.recordsWithoutLink += withoutLink;
}

// The projection of each time's links: two vertices are linked at a time when they share
// vertices of the other mode through links of that time.
TimedLinks projectPerTime(const LinkSource& source, const ConversionSettings& settings,
                          const VertexLists& lists, RunSummary& summary)
{
    std::vector<TimedLinks::Link> twoMode;
    source.drain(
        [&](int a, int b, QByteArrayView, qint32 time) {
            twoMode.push_back({a, b, time, 0, 0});
        },
        summary);
    std::stable_sort(twoMode.begin(), twoMode.end(),
                     [](const auto& x, const auto& y) { return x.time < y.time; });
    ModeProjection projection(settings.projection == Projection::SecondMode,
                              int(lists.firstModeCount()), int(lists.secondModeCount()));
    TimedLinks links;
    for (size_t begin = 0; begin < twoMode.size();) {
        size_t end = begin;
        projection.clear();
        for (; end < twoMode.size() && twoMode[end].time == twoMode[begin].time; ++end)
            projection.add(twoMode[end].a, twoMode[end].b);
        for (const ModeProjection::Edge& edge : projection.edges()) {
            char buffer[16];
            links.add(edge.a, edge.b,
                      QByteArrayView(buffer, std::to_chars(buffer, buffer + 16, edge.shared).ptr),
                      twoMode[begin].time);
        }
        begin = end;
    }
    return links;
}

// The links merged per pair and time, in the order of their first links.
TimedLinks mergePerTime(const LinkSource& source, MergeRule rule, RunSummary& summary)
{
    LinkMerger merger(rule, source.rules.directed, true);
    mergeLinks(merger, source.log, source.rules, source.weighted, source.firstNumbers,
               source.secondNumbers, summary);
    TimedLinks links;
    for (const LinkMerger::Entry entry : merger.inOrder()) {
        char buffer[48];
        int a = 0;
        int b = 0;
        QByteArrayView weight;
        merger.get(entry, a, b, weight, buffer);
        links.add(a, b, weight, merger.time(entry));
    }
    return links;
}

// A network whose links carry times: as writeLinkedNetwork, with links merged per time and
// projected per time.
void writeTimedNetwork(OutputBuffer& text, const ConversionSettings& settings,
                       const VertexLists& lists, RecordLog& log,
                       const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers,
                       WeightKind weights, const std::vector<VertexAttribute>& attributes,
                       OutputBuffer* vertexTable, LinkTimes times, RunSummary& summary)
{
    const bool projected = settings.projection != Projection::None;
    const bool directed = settings.directed && !projected;
    const std::unique_ptr<NetworkWriter> writer =
        makeNetworkWriter(text, settings.format, directed, weights, vertexTable);
    const LinkSource source {log,
                             {settings.cooccur, directed},
                             settings.valueColumn.has_value(),
                             firstNumbers,
                             secondNumbers};
    VertexSpans spans(size_t(lists.firstModeCount() + lists.secondModeCount()));
    times.merged = projected || settings.merge != MergeRule::None;
    if (!times.merged) {
        // A link per record: the spans from a first pass over the log, then the links from a
        // second, so that they are never all held.
        log.visit([&](const RecordLog::Chunk& chunk) {
            forEachLink(chunk, 0, chunk.records(), source.rules, false, firstNumbers, secondNumbers,
                        [&](int a, int b, QByteArrayView, qint32 time) { spans.see(a, b, time); });
        });
        writer->setTimes(std::move(times), spans.take());
        writeNetworkVertices(*writer, settings, lists, attributes, summary);
        writeTimedRecordLinks(*writer, settings.format, source, summary);
        writer->finish();
        return;
    }
    const TimedLinks links = projected ? projectPerTime(source, settings, lists, summary)
                                       : mergePerTime(source, settings.merge, summary);
    for (const TimedLinks::Link& link : links.links())
        spans.see(link.a, link.b, link.time);
    writer->setTimes(std::move(times), spans.take());
    writeNetworkVertices(*writer, settings, lists, attributes, summary);
    for (const TimedLinks::Link& link : links.links())
        writer->writeEdge(link.a, link.b, links.weight(link), link.time);
    summary.edgeLines += qint64(links.links().size());
    writer->finish();
}

void writeLinkedNetwork(OutputBuffer& text, const ConversionSettings& settings,
                        const VertexLists& lists, RecordLog& log,
                        const std::vector<int>& firstNumbers, const std::vector<int>& secondNumbers,
                        WeightKind weights, const std::vector<VertexAttribute>& attributes,
                        OutputBuffer* vertexTable, RunSummary& summary)
{
    const bool projected = settings.projection != Projection::None;
    const bool directed = settings.directed && !projected;
    const std::unique_ptr<NetworkWriter> writer =
        makeNetworkWriter(text, settings.format, directed, weights, vertexTable);
    writeNetworkVertices(*writer, settings, lists, attributes, summary);

    const LinkRules rules {settings.cooccur, directed};
    const bool weighted = settings.valueColumn.has_value();
    const auto write = [&](int a, int b, QByteArrayView weight, qint32) {
        writer->writeEdge(a, b, weight);
        ++summary.edgeLines;
    };
    const auto eachLink = [&](const std::function<void(int, int, QByteArrayView, qint32)>& use) {
        log.drain([&](const RecordLog::Chunk& chunk) {
            summary.recordsWithoutLink += forEachLink(chunk, 0, chunk.records(), rules, weighted,
                                                      firstNumbers, secondNumbers, use);
        });
    };
    if (projected) {
        ModeProjection projection(settings.projection == Projection::SecondMode,
                                  int(lists.firstModeCount()), int(lists.secondModeCount()));
        eachLink([&](int a, int b, QByteArrayView, qint32) { projection.add(a, b); });
        for (const ModeProjection::Edge& edge : projection.edges()) {
            char buffer[16];
            write(edge.a, edge.b,
                  QByteArrayView(buffer, std::to_chars(buffer, buffer + 16, edge.shared).ptr),
                  kNoTime);
        }
    } else if (settings.merge != MergeRule::None) {
        LinkMerger merger(settings.merge, directed);
        mergeLinks(merger, log, rules, weighted, firstNumbers, secondNumbers, summary);
        // The Pajek writer makes the lines of many links at once.
        auto* pajek = settings.format == NetworkFormat::Pajek
                          ? static_cast<PajekWriter*>(writer.get())
                          : nullptr;
        writeMerged(merger, *writer, pajek, summary);
    } else {
        eachLink(write);
    }
    writer->finish();
}

} // namespace

std::vector<VertexAttribute> writtenAttributes(const std::vector<VertexAttribute>& attributes,
                                               const ConversionSettings& settings,
                                               const VertexLists& lists)
{
    if (settings.projection == Projection::None)
        return attributes;
    const bool keepSecond = settings.projection == Projection::SecondMode;
    const size_t firstColumns = settings.attributeColumns.size();
    const qsizetype firstCount = lists.firstModeCount();
    std::vector<VertexAttribute> written;
    for (size_t a = keepSecond ? firstColumns : 0;
         a < (keepSecond ? attributes.size() : firstColumns); ++a) {
        VertexAttribute attribute = attributes[a];
        if (keepSecond)
            attribute.values.erase(attribute.values.begin() + 1,
                                   attribute.values.begin() + 1 + firstCount);
        else
            attribute.values.resize(size_t(firstCount) + 1);
        written.push_back(std::move(attribute));
    }
    return written;
}

void writeNetwork(OutputBuffer& text, const ConversionSettings& settings, const VertexLists& lists,
                  RecordLog& log, const std::vector<int>& firstNumbers,
                  const std::vector<int>& secondNumbers, WeightKind weights,
                  const std::vector<VertexAttribute>& attributes, OutputBuffer* vertexTable,
                  const std::optional<LinkTimes>& times, RunSummary& summary)
{
    if (times) {
        writeTimedNetwork(text, settings, lists, log, firstNumbers, secondNumbers, weights,
                          attributes, vertexTable, *times, summary);
        return;
    }
    // The plain network, one Pajek edge line per record, is most of what users make.
    const bool plainLinks = settings.format == NetworkFormat::Pajek &&
                            settings.merge == MergeRule::None && !settings.cellSeparator &&
                            settings.projection == Projection::None;
    if (!plainLinks) {
        writeLinkedNetwork(text, settings, lists, log, firstNumbers, secondNumbers, weights,
                           attributes, vertexTable, summary);
        return;
    }
    PajekWriter writer(text, settings.directed, weights);
    writeNetworkVertices(writer, settings, lists, attributes, summary);
    writePlainLinks(writer, log, settings.valueColumn.has_value(), firstNumbers, secondNumbers,
                    summary);
}

} // namespace urdiva
