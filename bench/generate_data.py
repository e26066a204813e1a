#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes a co-authorship-like data file: RECORDS lines "name;name;weight" over NAMES distinct
people's names (with accents, as Brazilian data has them), Windows line ends.

Usage: generate_data.py RECORDS NAMES OUTPUT
"""
import random
import sys

FIRST = """Ana Antônio Beatriz Bruno Camila Carlos Cecília Daniel Débora Diego Eduardo Elaine Érica
Fábio Fernanda Flávia Gabriel Gustavo Heloísa Hugo Igor Inês Isabela Jéssica João Joaquim José
Júlia Larissa Leonardo Letícia Lucas Luís Luíza Marcelo Márcia Maria Mariana Mário Mateus Natália
Otávio Patrícia Paulo Pedro Rafael Raquel Renata Ricardo Rodrigo Rosângela Sabrina Sérgio Sílvia
Simone Tatiana Thiago Valéria Vinícius Vitória Wagner Yasmin Zé Álvaro Ângela Caio Cláudia Davi
Elisa Felipe Gisele Helena Henrique Ivone Jorge Karina Laura Marcos Nádia Olga Priscila Regina
Samuel Sônia Tânia Ubirajara Vera Wesley Xavier Yara Zilda""".split()
LAST = """Silva Santos Oliveira Souza Rodrigues Ferreira Alves Pereira Lima Gomes Costa Ribeiro Martins
Carvalho Almeida Lopes Soares Fernandes Vieira Barbosa Rocha Dias Nascimento Andrade Moreira Nunes
Marques Machado Mendes Freitas Cardoso Ramos Gonçalves Santana Teixeira Araújo Pinto Correia
Cavalcanti Monteiro Moura Batista Campos Melo Brandão Figueiredo Guimarães Conceição Magalhães
Sá Peixoto Queiroz Castro Borges Coelho Tavares Farias Siqueira Xavier Assis Bezerra Aragão Porto
Fonseca Pacheco Leão Barros Prado Reis Rezende Viana Sampaio Toledo Valente Bittencourt Camargo
Dantas Duarte Falcão Garcia Godoy Jardim Leite Lobo Macedo Medeiros Miranda Morais Neves Novaes
Paiva Pires Quintana Rangel Sales Serra Torres Vasconcelos""".split()


def names(count, rnd):
    seen = set()
    out = []
    while len(out) < count:
        n = f"{rnd.choice(FIRST)} {rnd.choice(LAST)}"
        if len(seen) > len(FIRST) * len(LAST) // 2:
            n += f" {rnd.choice(LAST)}"
        if rnd.random() < 0.3:
            n += f" {rnd.choice(LAST)}"
        if n not in seen:
            seen.add(n)
            out.append(n)
    return out


def main():
    records, distinct, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rnd = random.Random(2019)
    pool = names(distinct, rnd)
    with open(path, "w", encoding="utf-8", newline="") as f:
        # Every name appears at least once, then the rest at random.
        for i in range(records):
            a = pool[i] if i < distinct else rnd.choice(pool)
            b = rnd.choice(pool)
            f.write(f"{a};{b};{rnd.randint(1, 9)}\r\n")


if __name__ == "__main__":
    main()
