// SPDX-License-Identifier: MIT
#include "engine/network/network_writer.h"

#include "engine/core/choices.h"
#include "engine/network/csv_writer.h"
#include "engine/network/gexf_writer.h"
#include "engine/network/graphml_writer.h"
#include "engine/network/pajek_writer.h"

#include <algorithm>

namespace urdiva {

QStringView formatExtension(NetworkFormat format)
{
    return choiceOf(format).extension;
}

QStringView formatName(NetworkFormat format)
{
    return choiceOf(format).name;
}

qsizetype namesWithNul(const QStringList& names)
{
    return std::count_if(names.begin(), names.end(),
                         [](const QString& name) { return name.contains(QChar(0)); });
}

QString withoutNul(QString text)
{
    return text.replace(QChar(0), QChar(0xFFFD));
}

std::unique_ptr<NetworkWriter> makeNetworkWriter(OutputBuffer& text, NetworkFormat format,
                                                 bool directed, WeightKind weights,
                                                 OutputBuffer* vertexTable)
{
    switch (format) {
    case NetworkFormat::GraphML:
        return std::make_unique<GraphmlWriter>(text, directed, weights);
    case NetworkFormat::Gexf:
        return std::make_unique<GexfWriter>(text, directed, weights);
    case NetworkFormat::Csv:
        return std::make_unique<CsvWriter>(text, weights, vertexTable);
    case NetworkFormat::Pajek:
        break;
    }
    return std::make_unique<PajekWriter>(text, directed, weights);
}

} // namespace urdiva
