-- Records a combo box edits: a colour stored as a one-letter code, and a fruit stored as its name.
CREATE TABLE colours (Id INTEGER, Colour VARCHAR(10), Fruit VARCHAR(20));
INSERT INTO colours VALUES (1, 'R', 'Mango'), (2, 'G', 'Apple');
