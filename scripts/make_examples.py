#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the example data files (deterministic invented data): the four that the Info window
describes, examples/coautoria.csv, examples/rede_semantica.txt, examples/pessoas_cidades.csv and
examples/cursos_anos.txt; and two exports of bibliographic databases as they come,
examples/wos_savedrecs.txt (tab-delimited, UTF-16 with its byte-order mark, a tab ending every
line) and examples/scopus.csv (UTF-8 with its mark, every field quoted)."""
import os
import random

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples")
LAST = ("Silva Santos Oliveira Souza Rodrigues Ferreira Alves Pereira Lima Gomes Costa Ribeiro "
        "Martins Carvalho Almeida Lopes Soares Fernandes Vieira Barbosa Rocha Dias Nascimento "
        "Andrade Moreira Nunes Marques Machado Mendes Freitas Cardoso Ramos Teixeira").split()
INITIALS = "ABCDEFGHIJLMNPRST"


def write(name, lines):
    with open(os.path.join(HERE, name), "w", encoding="utf-8", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


def coautoria(rnd):
    # Names without blanks, as in reference lists: Sobrenome,I.N.
    names = []
    while len(names) < 203:
        name = f"{rnd.choice(LAST)},{rnd.choice(INITIALS)}.{rnd.choice(INITIALS)}."
        if name not in names:
            names.append(name)
    lines = ["pesquisador;coautor;ano"]
    for i in range(0, 203, 2):  # every name appears, then repeated pairs
        a, b = names[i], names[(i + 1) % 203]
        lines.append(f"{a};{b};{rnd.randint(2010, 2019)}")
    for _ in range(150):
        a, b = rnd.sample(names[:60], 2)
        lines.append(f"{a};{b};{rnd.randint(2010, 2019)}")
    write("coautoria.csv", lines)


def semantica(rnd):
    syllables = "ca sa la ma pa ta ra na da va be de le me pe te re ne vi li mi ri si to lo mo no po ru".split()
    words = []
    while len(words) < 647:
        word = "".join(rnd.choice(syllables) for _ in range(rnd.randint(2, 3)))
        if word not in words:
            words.append(word)
    lines = []
    for i in range(0, 647, 2):
        lines.append(f"{words[i]}\t{words[(i + 1) % 647]}\t{rnd.randint(1, 9)}\tsinonimo")
    for _ in range(400):
        a, b = rnd.sample(words, 2)
        lines.append(f"{a}\t{b}\t{rnd.randint(1, 9)}\t{rnd.choice(['sinonimo', 'antonimo', 'associacao'])}")
    write("rede_semantica.txt", lines)


def pessoas_cidades(rnd):
    people = ["AnaSouza", "BrunoLima", "CarlaDias", "DaviRocha", "ElisaMelo", "FabioReis",
              "GabiNunes", "HugoPinto", "IreneLeal", "JoaoMota", "KarenSales", "LuisBrito"]
    cities = ["Campinas", "Santos", "Sorocaba"]
    lines = ["codigo,nome,cidade"]
    code = 100
    for person in people:
        for city in rnd.sample(cities, rnd.randint(1, 2)):
            code += 1
            lines.append(f"{code},{person},{city}")
    write("pessoas_cidades.csv", lines)


def cursos_anos(rnd):
    courses = ["Biologia", "Quimica", "Fisica", "Historia", "Letras", "Direito", "Medicina",
               "Economia", "Geografia", "Pedagogia"]
    years = [str(y) for y in range(2000, 2018)]
    lines = []
    number = 0
    for i, year in enumerate(years):
        for course in [courses[i % 10]] + rnd.sample(courses, 2):
            number += 1
            lines.append(f"{number}|Aluno{number:03d}|{course}|{rnd.randint(1000, 9999)}|{year}")
    write("cursos_anos.txt", lines)


FIRST = ("Ana Beatriz Bruno Carla Daniel Elisa Fabio Gabriela Helena Igor Joao Julia Lucas "
         "Marina Mateus Natalia Otavio Paula Rafael Sofia Tiago Vanessa").split()
TOPICS = ["redes sociais", "bibliometria", "coautoria", "cientometria", "analise de redes",
          "colaboracao cientifica", "citacoes", "redes semanticas", "saude publica",
          "ecologia", "produtividade", "Web of Science", "Scopus", "indicadores"]
JOURNALS = ["SCIENTOMETRICS", "TRANSINFORMACAO", "PERSPECTIVAS EM CIENCIA DA INFORMACAO",
            "EM QUESTAO", "ENCONTROS BIBLI"]
WOS_FIELDS = ("PT AU BA BE GP AF BF CA TI SO SE BS LA DT CT CY CL SP HO DE ID AB C1 RP EM RI OI "
              "FU FX CR NR TC Z9 U1 U2 PU PI PA SN EI BN J9 JI PD PY VL IS PN SU SI MA BP EP AR "
              "DI D2 EA PG WC SC GA UT PM OA HC HP DA").split()


def people(rnd, count):
    """(surname, given names) pairs, distinct."""
    out = []
    while len(out) < count:
        person = (rnd.choice(LAST), f"{rnd.choice(FIRST)} {rnd.choice(FIRST)}")
        if person not in out and person[1].split()[0] != person[1].split()[1]:
            out.append(person)
    return out


def papers(rnd, authors, count):
    """Each paper's authors (one to five, from a core that writes together), keywords, journal
    and year."""
    out = []
    for _ in range(count):
        team = rnd.sample(authors[:12], rnd.randint(0, 3)) + rnd.sample(authors, rnd.randint(1, 2))
        team = list(dict.fromkeys(team))
        out.append((team, rnd.sample(TOPICS, rnd.randint(2, 4)), rnd.choice(JOURNALS),
                    rnd.randint(2015, 2023)))
    return out


def wos(rnd):
    authors = people(rnd, 30)
    rows = ["\t".join(WOS_FIELDS) + "\t"]
    for n, (team, keywords, journal, year) in enumerate(papers(rnd, authors, 40), start=1):
        fields = dict.fromkeys(WOS_FIELDS, "")
        initials = lambda given: "".join(name[0] for name in given.split())
        fields.update(
            PT="J", AU="; ".join(f"{last}, {initials(given)}" for last, given in team),
            AF="; ".join(f"{last}, {given}" for last, given in team),
            TI=f"Estudo {n} sobre {keywords[0]} e {keywords[1]}", SO=journal, LA="Portuguese",
            DT="Article", DE="; ".join(keywords), ID="; ".join(k.upper() for k in keywords[:2]),
            C1=f"[{'; '.join(f'{last}, {given}' for last, given in team)}] Univ Fed Exemplo, "
               "Belo Horizonte, MG, Brazil.",
            NR=str(rnd.randint(10, 60)), TC=str(rnd.randint(0, 40)), PY=str(year),
            J9=journal[:12], UT=f"WOS:{900000000000000 + n:015d}", DA="2026-12-10")
        fields["Z9"] = fields["TC"]
        rows.append("\t".join(fields[f] for f in WOS_FIELDS) + "\t")
    with open(os.path.join(HERE, "wos_savedrecs.txt"), "w", encoding="utf-16",
              newline="") as f:
        f.write("".join(row + "\r\n" for row in rows))


def scopus(rnd):
    authors = people(rnd, 25)
    header = ["Authors", "Author full names", "Author(s) ID", "Title", "Year", "Source title",
              "Volume", "Issue", "Cited by", "DOI", "Affiliations", "Author Keywords",
              "Index Keywords", "Language of Original Document", "Document Type", "Source", "EID"]
    quote = lambda text: '"' + text.replace('"', '""') + '"'
    rows = [",".join(quote(h) for h in header)]
    for n, (team, keywords, journal, year) in enumerate(papers(rnd, authors, 30), start=1):
        ids = [str(57000000000 + authors.index(person)) for person in team]
        journal = journal.title()
        row = ["; ".join(f"{last} {''.join(g[0] + '.' for g in given.split())}"
                         for last, given in team),
               "; ".join(f"{last}, {given} ({i})" for (last, given), i in zip(team, ids)),
               "; ".join(ids),
               f'Redes, "{keywords[0]}" e {keywords[1]}: o caso {n}', str(year), journal,
               str(rnd.randint(1, 30)), str(rnd.randint(1, 4)), str(rnd.randint(0, 50)),
               f"10.0000/exemplo.{year}.{n:03d}", "Universidade Federal Exemplo, Brasil",
               "; ".join(keywords), "; ".join(k.title() for k in keywords[:2]), "Portuguese",
               "Article", "Scopus", f"2-s2.0-{85000000000 + n}"]
        rows.append(",".join(quote(field) for field in row))
    with open(os.path.join(HERE, "scopus.csv"), "w", encoding="utf-8-sig", newline="") as f:
        f.write("".join(row + "\r\n" for row in rows))


if __name__ == "__main__":
    rnd = random.Random(2019)
    coautoria(rnd)
    semantica(rnd)
    pessoas_cidades(rnd)
    cursos_anos(rnd)
    wos(random.Random(2026))
    scopus(random.Random(2027))
