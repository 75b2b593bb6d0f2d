-- The sample bestiary that ships with the calculator. The build turns it into
-- Vorn.mdb beside the program. Max_Threat: the foe is offered at every threat
-- category below this number. Mix is in tenths. Missile 1: the foe shoots.
CREATE TABLE Foes (
    Name VARCHAR(50),
    Max_Threat SMALLINT,
    Init SMALLINT,
    Atk SMALLINT,
    Dfn SMALLINT,
    Dam SMALLINT,
    Soak SMALLINT,
    HP SMALLINT,
    Res SMALLINT,
    Mix SMALLINT,
    Move VARCHAR(10),
    Missile SMALLINT,
    Notes TEXT
);
INSERT INTO Foes VALUES ('Bog Imp',            1,  3,  1,  2,  1, 0,  8, 0,  2, '12', 0, 'pesters travellers in the fens');
INSERT INTO Foes VALUES ('Cellar Rat Swarm',   1,  4,  1,  0,  1, 0, 10, 0,  1, '14', 0, NULL);
INSERT INTO Foes VALUES ('Mire Leech',         2, -2,  2,  0,  1, 0,  9, 1,  1, '4',  0, 'clings until burned');
INSERT INTO Foes VALUES ('Hedge Kobold',       2,  3,  2,  2,  2, 1, 12, 0,  3, '12', 1, 'slings stones from cover');
INSERT INTO Foes VALUES ('Goblin Skirmisher',  3,  3,  2,  2,  2, 0, 13, 0,  3, '12', 1, 'short bow');
INSERT INTO Foes VALUES ('Road Bandit',        3,  2,  3,  2,  3, 1, 18, 1,  5, '12', 0, NULL);
INSERT INTO Foes VALUES ('Grey Wolf',          3,  4,  3,  2,  3, 1, 15, 0,  8, '20', 0, 'hunts in packs');
INSERT INTO Foes VALUES ('Tomb Skeleton',      4,  1,  2,  3,  2, 2, 14, 5,  4, '10', 0, 'unmoved by fear');
INSERT INTO Foes VALUES ('Marsh Archer',       4,  3,  4,  2,  4, 1, 17, 1,  5, '12', 1, 'longbow');
INSERT INTO Foes VALUES ('Hill Orc',           4,  1,  3,  2,  4, 1, 25, 1, 10, '12', 0, NULL);
INSERT INTO Foes VALUES ('Will-o''-the-Wisp',   4,  5,  2,  6,  1, 0, 10, 4, 12, '25', 0, 'lures the lost');
INSERT INTO Foes VALUES ('Crossbow Sergeant',  5,  2,  4,  3,  5, 2, 22, 2,  7, '11', 1, 'heavy crossbow');
INSERT INTO Foes VALUES ('Barrow Wight',       5,  2,  4,  4,  4, 2, 28, 6, 12, '12', 0, 'drains warmth');
INSERT INTO Foes VALUES ('Ogre Brute',         5, -1,  5,  1,  7, 3, 45, 2, 18, '14', 0, NULL);
INSERT INTO Foes VALUES ('Fen Witch',          5,  4,  3,  3,  3, 1, 20, 7, 15, '12', 1, 'hurls hexed darts');
INSERT INTO Foes VALUES ('Cave Troll',         6, -1,  5,  1,  8, 4, 60, 3, 20, '14', 0, 'regenerates');
INSERT INTO Foes VALUES ('Knight of the Ash',  6,  3,  6,  6,  6, 4, 40, 4, 20, '12', 0, 'never yields');
INSERT INTO Foes VALUES ('Elven Ranger',       6,  6,  6,  4,  5, 2, 30, 4, 16, '18', 1, 'never misses twice');
INSERT INTO Foes VALUES ('Stone Giant',        6, -2,  7,  3, 10, 6, 90, 3, 25, '18', 1, 'throws boulders');
INSERT INTO Foes VALUES ('Wyvern',             7,  5,  7,  4,  9, 5, 80, 4, 30, '30', 0, 'venomous tail');
INSERT INTO Foes VALUES ('Lich of the Deep',   7,  4,  6,  6,  7, 4, 70,10, 35, '12', 1, 'bolts of grave-fire');
INSERT INTO Foes VALUES ('Ancient Dragon',     7, 10, 12, 10, 15, 8,200, 6, 40, '30', 0, NULL);
INSERT INTO Foes VALUES ('Demon Prince',       7,  8, 10,  9, 12, 7,150, 9, 40, '20', 0, 'bound by an old name');
INSERT INTO Foes VALUES ('zombie',             4, -2,  2,  0,  3, 2, 30, 6,  1, '6',  0, 'shambles; named in lower case');
