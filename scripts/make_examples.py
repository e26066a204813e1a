#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the four example data files that the Info window describes (deterministic invented
data): examples/coautoria.csv, examples/rede_semantica.txt, examples/pessoas_cidades.csv and
examples/cursos_anos.txt."""
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


if __name__ == "__main__":
    rnd = random.Random(2019)
    coautoria(rnd)
    semantica(rnd)
    pessoas_cidades(rnd)
    cursos_anos(rnd)
