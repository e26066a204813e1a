// SPDX-License-Identifier: MIT
#include "info_pages.h"

namespace urdiva::ui {

QList<InfoPage> infoPages()
{
    const QString dashes(60, u'-');
    return {
        {QStringLiteral("Apresentação"),
         QStringLiteral("presentationPage"),
         QStringLiteral("presentationText"),
         {QStringLiteral("O Urdiva é um software de distribuição livre, desenvolvido para criar "
                         "redes no formato do Pajek (.NET), provavelmente o formato de arquivo de "
                         "redes mais simples e portável disponível."),
          QString(),
          QStringLiteral("As redes são construídas a partir de arquivos de dados simples, sem "
                         "metadados, salvos como .CSV ou .TXT, a partir dos quais são criados os "
                         "arquivos de rede no formato .NET."),
          QString(),
          QStringLiteral("Em sua primeira versão, o Urdiva foi feito para rodar na plataforma "
                         "Windows sem depender de outros aplicativos.")}},
        {QStringLiteral("Versões"),
         QStringLiteral("versionPage"),
         QStringLiteral("versionText"),
         {QStringLiteral("A partir da versão 1.1, um aviso de que há uma nova versão disponível "
                         "pode aparecer automaticamente ao iniciar o programa."),
          QStringLiteral("O aviso traz um link para uma página com as versões para Windows e para "
                         "Mac e um manual do usuário."),
          QStringLiteral("Depois de baixada, a nova versão deve ser descompactada e copiada da "
                         "área de Downloads para o local onde está a versão anterior."),
          QString(), QStringLiteral("-> Versão 1.1 de 17/09/2019, disponibilizada em 17/09/2019"),
          QStringLiteral("     + Nova função para cálculo de similaridade entre os vértices."),
          QString(), QStringLiteral("-> Versão 1.0 de 27/06/2019, disponibilizada em 27/06/2019")}},
        {QStringLiteral("Guia de Operação"),
         QStringLiteral("guidePage"),
         QStringLiteral("guideText"),
         {QStringLiteral(
              "A janela principal tem dois grupos ('Arquivo' e 'Separador'), três abas ('Entrada', "
              "'Configurações' e 'Saída') e dois botões gerais ('Info' e 'Criar .net')."),
          QString(),
          QStringLiteral(
              "Grupo 'Arquivo': duas linhas, cada uma com um botão e uma caixa de texto. "
              "'Entrada...' abre o diálogo para escolher o arquivo de dados, cuja pasta e nome "
              "aparecem então na caixa ao lado; o caminho também pode ser digitado. 'Saída...' "
              "escolhe a pasta onde o arquivo de rede .NET será gravado; por padrão é sugerida a "
              "pasta do arquivo de dados, e este caminho também pode ser digitado."),
          QStringLiteral("Grupo 'Separador': quatro opções que se excluem, ponto e vírgula [;], "
                         "tab [tab], vírgula [,] e outro [um caractere informado pelo usuário]. "
                         "Olhar o conteúdo do arquivo depois de abri-lo mostra qual é a correta."),
          QStringLiteral("Botões: 'Info' mostra este conteúdo; 'Criar .net' cria a rede a partir "
                         "do arquivo de dados aberto, com as configurações do usuário."),
          QString(),
          QStringLiteral("Aba 'Entrada': o grupo 'Preview' mostra as 10 primeiras linhas do "
                         "arquivo de dados, e o grupo 'Informações' a quantidade de linhas do "
                         "arquivo e a quantidade de colunas encontradas."),
          QStringLiteral(
              "Aba 'Configurações': o grupo 'Suprimir caractere' escolhe um caractere a remover "
              "dos valores das colunas escolhidas (barra, barra invertida, barra vertical, chaves, "
              "colchetes, espaços em branco, maior que e menor que, parênteses), importante para "
              "remover espaços que poderiam quebrar a unicidade de um vértice, e onde removê-lo "
              "('No início da string', 'No final da string' e/ou 'Em toda a string'). Seguem duas "
              "opções gerais: a ordem dos vértices no arquivo de rede ('do menor para o maior', ou "
              "como aparecem no arquivo de dados) e 'CASE SENSITIVE' (marcada: letras maiúsculas e "
              "minúsculas são diferentes; desmarcada por padrão)."),
          QStringLiteral(
              "Aba 'Saída': o grupo 'Opções' oferece 'Primeira Coluna' e 'Segunda Coluna' (as "
              "colunas cujos valores são as pontas das ligações da rede), 'Coluna de Valor' (uma "
              "coluna cujos valores se tornam os pesos das ligações), 'Modo da Rede' (um modo ou "
              "dois modos; '1-Modo' vem escolhido por padrão, já que a maioria das redes tem um "
              "modo), 'Tipo da rede' ('Não dirigido': as ligações são arestas, desenhadas (---); "
              "'Dirigido': as ligações são arcos, desenhados (-->)) e 'Ignorar Cabeçalho' (quantas "
              "linhas do arquivo de dados pular como cabeçalho de colunas). O grupo 'Saída' mostra "
              "a rede produzida, no formato do Pajek (.NET).")}},
        {QStringLiteral("Exemplo - Rede 1-Modo"),
         QStringLiteral("firstExamplePage"),
         QStringLiteral("firstExampleText"),
         {QStringLiteral("Arquivos de dados para redes de um modo têm, em cada linha, os dois "
                         "vértices de uma ligação, do mesmo tipo."),
          QString(),
          QStringLiteral("Exemplo 1: rede de coautoria (examples/coautoria.csv), separador ';', "
                         "três colunas (pesquisador, coautor, ano) sob uma linha de cabeçalho:"),
          dashes,
          QStringLiteral("pesquisador;coautor;ano"),
          QStringLiteral("Gomes,H.S.;Costa,H.H.;2015"),
          QStringLiteral("Rocha,J.P.;Lopes,P.R.;2012"),
          dashes,
          QStringLiteral("Escolha: Modo da Rede '1-Modo', pois os autores são vértices de um só "
                         "tipo; Tipo da Rede 'Não dirigido'; Ignorar Cabeçalho 1."),
          QStringLiteral("O resultado começa assim, com os vértices na ordem em que aparecem e "
                         "seus nomes sem espaços:"),
          QStringLiteral("*Vertices 203"),
          QStringLiteral("1 \"Gomes,H.S.\""),
          QStringLiteral("2 \"Costa,H.H.\""),
          QStringLiteral("3 \"Rocha,J.P.\""),
          QStringLiteral("Com 'Classificar do menor para o maior' marcada, a mesma lista vem em "
                         "ordem crescente:"),
          QStringLiteral("1 \"Almeida,A.F.\""),
          QStringLiteral("2 \"Almeida,A.R.\""),
          QStringLiteral("3 \"Almeida,D.D.\""),
          QStringLiteral("Trecho da seção de arestas, em que pares repetidos aparecem mais de uma "
                         "vez (como 13 34):"),
          QStringLiteral("*Edges"),
          QStringLiteral("1 2"),
          QStringLiteral("3 4"),
          QStringLiteral("13 34"),
          QString(),
          QStringLiteral(
              "Exemplo 2: rede semântica (examples/rede_semantica.txt), separador tab, quatro "
              "colunas (palavra, palavra associada, força, relação), sem cabeçalho:"),
          dashes,
          QStringLiteral("mome\trutana\t9\tsinonimo"),
          QStringLiteral("latono\tnapemo\t7\tsinonimo"),
          dashes,
          QStringLiteral("Escolha: Modo da Rede '1-Modo' (palavras); Tipo da Rede 'Dirigido'; "
                         "Ignorar Cabeçalho 0. O resultado começa assim e tem uma seção de arcos:"),
          QStringLiteral("*Vertices 647"),
          QStringLiteral("1 \"mome\""),
          QStringLiteral("2 \"rutana\""),
          QStringLiteral("*Arcs"),
          QStringLiteral("1 2")}},
        {QStringLiteral("Exemplo - Rede 2-Modos"),
         QStringLiteral("secondExamplePage"),
         QStringLiteral("secondExampleText"),
         {QStringLiteral("Arquivos de dados para redes de dois modos têm, em cada linha, um "
                         "vértice de cada tipo."),
          QString(),
          QStringLiteral("Exemplo 1: pessoas e cidades (examples/pessoas_cidades.csv), separador "
                         "',', três colunas (código, nome, cidade) sob uma linha de cabeçalho:"),
          dashes,
          QStringLiteral("codigo,nome,cidade"),
          QStringLiteral("101,AnaSouza,Campinas"),
          QStringLiteral("102,AnaSouza,Santos"),
          dashes,
          QStringLiteral(
              "Escolha: Primeira Coluna 'nome', Segunda Coluna 'cidade', Modo da Rede '2-Modos', "
              "pois pessoas e cidades são vértices de tipos diferentes; para redes de dois modos o "
              "tipo é 'Não dirigido', sem outra escolha possível; Ignorar Cabeçalho 1."),
          QStringLiteral("O resultado começa assim: as 12 pessoas primeiro (nomes sem espaços), "
                         "depois as cidades:"),
          QStringLiteral("*Vertices 15 12"),
          QStringLiteral("1 \"AnaSouza\""),
          QStringLiteral("2 \"BrunoLima\""),
          QStringLiteral("12 \"LuisBrito\""),
          QStringLiteral("13 \"Campinas\""),
          QStringLiteral("14 \"Santos\""),
          QStringLiteral("15 \"Sorocaba\""),
          QString(),
          QStringLiteral(
              "Exemplo 2: cursos e anos (examples/cursos_anos.txt), separador barra vertical (|), "
              "escolhido com a opção 'outro', cinco colunas (número, nome, curso, código, ano):"),
          dashes,
          QStringLiteral("1|Aluno001|Biologia|8077|2000"),
          QStringLiteral("2|Aluno002|Pedagogia|9947|2000"),
          dashes,
          QStringLiteral(
              "Escolha: Primeira Coluna 'Biologia' (o curso), Segunda Coluna '2000' (o ano), Modo "
              "da Rede '2-Modos' (cursos e anos); Ignorar Cabeçalho 0. O resultado começa com os "
              "cursos e depois os anos, seguidos da seção de arestas:"),
          QStringLiteral("*Vertices 28 10"),
          QStringLiteral("1 \"Biologia\""),
          QStringLiteral("11 \"2000\""),
          QStringLiteral("*Edges"),
          QStringLiteral("1 11"),
          QStringLiteral("2 11")}},
    };
}

QStringList teamLines()
{
    return {QStringLiteral("Coordenação do projeto (coordenacao@example.org)"),
            QStringLiteral("Desenvolvimento (desenvolvimento@example.org)"),
            QStringLiteral("Análise de redes (redes@example.org)")};
}

QString reference()
{
    return QStringLiteral("PROJETO, C.; DESENVOLVIMENTO, E.; REDES, A. Urdiva: software para "
                          "criação de redes no\rformato Pajek. Versão 1.0. São Paulo, 2019.");
}

} // namespace urdiva::ui
