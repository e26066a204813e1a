// SPDX-License-Identifier: MIT
#include "engine/network/network_writer.h"

#include "engine/network/csv_writer.h"
#include "engine/network/gexf_writer.h"
#include "engine/network/graphml_writer.h"
#include "engine/network/pajek_writer.h"

namespace urdiva {

QStringView formatExtension(NetworkFormat format)
{
    switch (format) {
    case NetworkFormat::GraphML:
        return u".graphml";
    case NetworkFormat::Gexf:
        return u".gexf";
    case NetworkFormat::Csv:
        return u".csv";
    case NetworkFormat::Pajek:
        break;
    }
    return u".net";
}

QStringView formatName(NetworkFormat format)
{
    switch (format) {
    case NetworkFormat::GraphML:
        return u"GraphML";
    case NetworkFormat::Gexf:
        return u"GEXF";
    case NetworkFormat::Csv:
        return u"CSV";
    case NetworkFormat::Pajek:
        break;
    }
    return u"Pajek";
}

std::unique_ptr<NetworkWriter> makeNetworkWriter(NetworkText& text, NetworkFormat format,
                                                 bool directed, WeightKind weights)
{
    switch (format) {
    case NetworkFormat::GraphML:
        return std::make_unique<GraphmlWriter>(text, directed, weights);
    case NetworkFormat::Gexf:
        return std::make_unique<GexfWriter>(text, directed, weights);
    case NetworkFormat::Csv:
        return std::make_unique<CsvWriter>(text, weights);
    case NetworkFormat::Pajek:
        break;
    }
    return std::make_unique<PajekWriter>(text, directed, weights);
}

} // namespace urdiva
