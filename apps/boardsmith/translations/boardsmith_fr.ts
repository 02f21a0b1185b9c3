<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>TConnectionTool</name>
    <message>
        <source>CONNECTION:  Select second pad for connection, abort with right mouse button</source>
        <translation>CONNEXION :  Choisir la deuxième pastille de la connexion, annuler avec le bouton droit de la souris</translation>
    </message>
    <message>
        <source>CONNECTION:  Select first pad</source>
        <translation>CONNEXION :  Choisir la première pastille</translation>
    </message>
</context>
<context>
    <name>TDragShapeTool</name>
    <message>
        <source>CIRCLE:  Left click to select center, hold button and draw radius</source>
        <translation>CERCLE :  clic gauche pour choisir le centre, maintenir le bouton et tracer le rayon</translation>
    </message>
    <message>
        <source>RECTANGLE:  Left click to select start point, hold button and draw rectangle</source>
        <translation>RECTANGLE :  clic gauche pour choisir le point de départ, maintenir le bouton et tracer le rectangle</translation>
    </message>
</context>
<context>
    <name>TEditTool</name>
    <message>
        <source>EDIT:  Move the node; ALT = 45° corners, CTRL = free position</source>
        <translation>ÉDITION :  déplacer le nœud ; ALT = angles de 45°, CTRL = position libre</translation>
    </message>
    <message>
        <source>EDIT:  Draw a selection area; every element it touches is selected</source>
        <translation>ÉDITION :  tracez une zone de sélection ; tout élément qu&apos;elle touche est sélectionné</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Début :</translation>
    </message>
    <message>
        <source>Stop:</source>
        <translation>Fin :</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Diamètre :</translation>
    </message>
</context>
<context>
    <name>TMeasureTool</name>
    <message>
        <source>DISTANCE:  Click to starting point, hold button and move the mouse</source>
        <translation>DISTANCE :  cliquez au point de départ, maintenez le bouton et déplacez la souris</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle :</translation>
    </message>
</context>
<context>
    <name>TPadTool</name>
    <message>
        <source>SMD-PAD:  Place with left mouse button, abort with right mouse button</source>
        <translation>PASTILLE CMS :  placer avec le bouton gauche, annuler avec le bouton droit</translation>
    </message>
    <message>
        <source>PAD:  Place with left mouse button, abort with right mouse button</source>
        <translation>PASTILLE :  placer avec le bouton gauche, annuler avec le bouton droit</translation>
    </message>
</context>
<context>
    <name>TPolylineTool</name>
    <message>
        <source>ZONE:  Left click for the next node, finish on the first node or with right mouse button</source>
        <translation>ZONE :  clic gauche pour le nœud suivant, terminer sur le premier nœud ou avec le bouton droit</translation>
    </message>
    <message>
        <source>ZONE:  Left click to select start point</source>
        <translation>ZONE :  clic gauche pour choisir le point de départ</translation>
    </message>
    <message>
        <source>TRACK:  Left click for the next node, finish with right mouse button</source>
        <translation>PISTE :  clic gauche pour le nœud suivant, terminer avec le bouton droit</translation>
    </message>
    <message>
        <source>TRACK:  Left click to select start point</source>
        <translation>PISTE :  clic gauche pour choisir le point de départ</translation>
    </message>
    <message>
        <source>Change the pad into a throughhole-pad (via)?</source>
        <translation>Transformer la pastille en pastille traversante (via) ?</translation>
    </message>
</context>
<context>
    <name>TSolderMaskTool</name>
    <message>
        <source>SOLDER-MASK:  Select an element to add or delete it from the solder mask</source>
        <translation>VERNIS ÉPARGNE :  sélectionner un élément pour l&apos;ajouter au vernis épargne ou l&apos;en retirer</translation>
    </message>
</context>
<context>
    <name>TTestTool</name>
    <message>
        <source>TEST:  Click to highlight connected elements</source>
        <translation>TEST :  Cliquez pour mettre en évidence les éléments connectés</translation>
    </message>
</context>
<context>
    <name>TTextTool</name>
    <message>
        <source>TEXT:  Place with left mouse button, abort with right mouse button</source>
        <translation>TEXTE :  placer avec le bouton gauche, annuler avec le bouton droit</translation>
    </message>
</context>
<context>
    <name>bs::app::TBTList</name>
    <message>
        <source>Components</source>
        <translation>Composants</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Réf.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Couche</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Boîtier</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Afficher :</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Dessus</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Dessous</translation>
    </message>
</context>
<context>
    <name>bs::app::TBT_ExportDlg</name>
    <message>
        <source>Component-Data Export</source>
        <translation>Export des données des composants</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Réf.</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Couche</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Boîtier</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>Drag the columns into their order</source>
        <translation>Faites glisser les colonnes dans leur ordre</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Virgule</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Point-virgule</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulation</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Text for Layer side</source>
        <translation>Texte pour la face</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Dessus :</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>Dessous :</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Suppress trailing zeros</source>
        <translation>Supprimer les zéros finaux</translation>
    </message>
    <message>
        <source>X/Y - Position</source>
        <translation>Position X/Y</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Unité :</translation>
    </message>
    <message>
        <source>Decimals:</source>
        <translation>Décimales :</translation>
    </message>
    <message>
        <source>Rotation with &quot;R&quot; prefix</source>
        <translation>Rotation avec le préfixe &quot;R&quot;</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtre</translation>
    </message>
    <message>
        <source>SMD-Components</source>
        <translation>Composants CMS</translation>
    </message>
    <message>
        <source>Throughhole-Components</source>
        <translation>Composants traversants</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Dessus</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Dessous</translation>
    </message>
    <message>
        <source>Only components with Pick+Place data</source>
        <translation>Seulement les composants avec données de placement</translation>
    </message>
    <message>
        <source>Component list (*.txt)</source>
        <translation>Liste des composants (*.txt)</translation>
    </message>
    <message>
        <source>Fabrication (CSV)</source>
        <translation>Fabrication (CSV)</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>Column order:</source>
        <translation>Ordre des colonnes :</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format :</translation>
    </message>
</context>
<context>
    <name>bs::app::TBezWertDlg</name>
    <message>
        <source>Component</source>
        <translation>Composant</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>ID:</source>
        <translation>Réf. :</translation>
    </message>
    <message>
        <source>Layer:</source>
        <translation>Couche :</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Valeur :</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>Étroit</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Text properties:</source>
        <translation>Propriétés du texte :</translation>
    </message>
    <message>
        <source>Use Pick+ Place Data</source>
        <translation>Utiliser les données de placement</translation>
    </message>
    <message>
        <source>Center Copper</source>
        <translation>Centre du cuivre</translation>
    </message>
    <message>
        <source>Center Silkscreen</source>
        <translation>Centre de la sérigraphie</translation>
    </message>
    <message>
        <source>Center Copper+ Silk</source>
        <translation>Centre cuivre + sérigraphie</translation>
    </message>
    <message>
        <source>Y-Offset:</source>
        <translation>Décalage Y :</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation :</translation>
    </message>
    <message>
        <source>Package:</source>
        <translation>Boîtier :</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaire</translation>
    </message>
    <message>
        <source>Center:</source>
        <translation>Centre :</translation>
    </message>
    <message>
        <source>X-Offset:</source>
        <translation>Décalage X :</translation>
    </message>
    <message>
        <source>Align text automatically</source>
        <translation>Aligner le texte automatiquement</translation>
    </message>
    <message>
        <source>Disintegrate Component</source>
        <translation>Dissoudre le composant</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>bs::app::TBoardPage</name>
    <message>
        <source>Multilayer</source>
        <translation>Multicouche</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Area:</source>
        <translation>Surface :</translation>
    </message>
</context>
<context>
    <name>bs::app::TBohrInfoDlg</name>
    <message>
        <source>Drillings</source>
        <translation>Perçages</translation>
    </message>
    <message>
        <source>Simple drillings</source>
        <translation>Perçages simples</translation>
    </message>
    <message>
        <source>Through-Hole pads</source>
        <translation>Pastilles traversantes</translation>
    </message>
    <message>
        <source>Clip&amp;board...</source>
        <translation>&amp;Presse-papiers...</translation>
    </message>
    <message>
        <source>The text is now in the clipboard</source>
        <translation>Les texte sont maintenant dans le presse-papiers</translation>
    </message>
</context>
<context>
    <name>bs::app::TCirclePage</name>
    <message>
        <source>No Gerber export fot filled segments.</source>
        <translation>Pas d&apos;export Gerber pour les segments pleins.</translation>
    </message>
    <message>
        <source>Filled</source>
        <translation>Plein</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Zone de découpe</translation>
    </message>
    <message>
        <source>The segment is drawn anticlockwise from the start to the stop angle.</source>
        <translation>Le segment est tracé dans le sens antihoraire de l&apos;angle de début à l&apos;angle de fin.</translation>
    </message>
    <message>
        <source>Track width:</source>
        <translation>Largeur de piste :</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Diamètre :</translation>
    </message>
    <message>
        <source>Start angle:</source>
        <translation>Angle de début :</translation>
    </message>
    <message>
        <source>Stop angle:</source>
        <translation>Angle de fin :</translation>
    </message>
</context>
<context>
    <name>bs::app::TDrcPanel</name>
    <message>
        <source>Copper:</source>
        <translation>Cuivre :</translation>
    </message>
    <message>
        <source>Drillings:</source>
        <translation>Perçages :</translation>
    </message>
    <message>
        <source>Drilling min:</source>
        <translation>Perçage min. :</translation>
    </message>
    <message>
        <source>Drilling max:</source>
        <translation>Perçage max. :</translation>
    </message>
    <message>
        <source>Track min:</source>
        <translation>Piste min. :</translation>
    </message>
    <message>
        <source>Annular ring min:</source>
        <translation>Collerette min. :</translation>
    </message>
    <message>
        <source>Silkscreen min:</source>
        <translation>Sérigraphie min. :</translation>
    </message>
    <message>
        <source>Silkscreen over pads</source>
        <translation>Sérigraphie sur pastilles</translation>
    </message>
    <message>
        <source>Drilling on SMD pads</source>
        <translation>Perçages sur pastilles CMS</translation>
    </message>
    <message>
        <source>Pads without soldermask</source>
        <translation>Pastilles sans vernis épargne</translation>
    </message>
    <message>
        <source>Soldermask out of pads</source>
        <translation>Vernis épargne hors pastilles</translation>
    </message>
    <message>
        <source>Minimum distance</source>
        <translation>Distance minimale</translation>
    </message>
    <message>
        <source>Min/Max</source>
        <translation>Min/Max</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Divers</translation>
    </message>
    <message>
        <source>Complete...</source>
        <translation>Complet...</translation>
    </message>
    <message>
        <source>Window...</source>
        <translation>Fenêtre...</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>DRC-Panel</source>
        <translation>Panneau DRC</translation>
    </message>
    <message>
        <source>DRC running...</source>
        <translation>Vérification DRC en cours...</translation>
    </message>
</context>
<context>
    <name>bs::app::TEditCommands</name>
    <message>
        <source>C&amp;opy</source>
        <translation>C&amp;opier</translation>
    </message>
    <message>
        <source>&amp;Cut</source>
        <translation>Cou&amp;per</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>D&amp;uplicate</source>
        <translation>D&amp;upliquer</translation>
    </message>
    <message>
        <source>&amp;Delete [Del]</source>
        <translation>&amp;Supprimer [Suppr]</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>Tout &amp;sélectionner</translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation>&amp;Pivoter</translation>
    </message>
    <message>
        <source>Rotate counter-clockwise</source>
        <translation>Pivoter dans le sens antihoraire</translation>
    </message>
    <message>
        <source>Mirror &amp;horizontal</source>
        <translation>Miroir &amp;horizontal</translation>
    </message>
    <message>
        <source>Mirror &amp;vertical</source>
        <translation>Miroir &amp;vertical</translation>
    </message>
    <message>
        <source>Build &amp;group</source>
        <translation>Créer un &amp;groupe</translation>
    </message>
    <message>
        <source>Split gro&amp;up</source>
        <translation>Dissocier le gro&amp;upe</translation>
    </message>
    <message>
        <source>Change board side</source>
        <translation>Changer de face</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Aligner sur la grille</translation>
    </message>
    <message>
        <source>Align top</source>
        <translation>Aligner en haut</translation>
    </message>
    <message>
        <source>Align bottom</source>
        <translation>Aligner en bas</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Aligner à gauche</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Aligner à droite</translation>
    </message>
    <message>
        <source>Align horizontal-center</source>
        <translation>Centrer horizontalement</translation>
    </message>
    <message>
        <source>Align vertical-center</source>
        <translation>Centrer verticalement</translation>
    </message>
    <message>
        <source>Set to layer</source>
        <translation>Placer sur la couche</translation>
    </message>
    <message>
        <source>Delete elements outside the board</source>
        <translation>Supprimer les éléments hors de la carte</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Pivoter</translation>
    </message>
    <message>
        <source>Mirror horizontal</source>
        <translation>Miroir horizontal</translation>
    </message>
    <message>
        <source>Mirror vertical</source>
        <translation>Miroir vertical</translation>
    </message>
    <message>
        <source>Build group</source>
        <translation>Créer un groupe</translation>
    </message>
    <message>
        <source>Split group</source>
        <translation>Dissocier le groupe</translation>
    </message>
    <message>
        <source>F&amp;unctions</source>
        <translation>Fonctio&amp;ns</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Aligner</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Fonctions</translation>
    </message>
    <message>
        <source>Rotation angle</source>
        <translation>Angle de rotation</translation>
    </message>
    <message>
        <source>Rotational angle [°]</source>
        <translation>Angle de rotation [°]</translation>
    </message>
    <message>
        <source>PASTE:  Place with left mouse button, abort with right mouse button</source>
        <translation>COLLER :  placer avec le bouton gauche, annuler avec le bouton droit</translation>
    </message>
    <message>
        <source>Set origin</source>
        <translation>Définir l&apos;origine</translation>
    </message>
    <message>
        <source>Set to top/left</source>
        <translation>En haut à gauche</translation>
    </message>
    <message>
        <source>Set to bottom/left</source>
        <translation>En bas à gauche</translation>
    </message>
    <message>
        <source>Set to click-position</source>
        <translation>À la position du clic</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Dupliquer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Name...</source>
        <translation>Nom...</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Select: </source>
        <translation>Sélectionner : </translation>
    </message>
    <message>
        <source>Remove node</source>
        <translation>Supprimer le nœud</translation>
    </message>
    <message>
        <source>Add node</source>
        <translation>Ajouter un nœud</translation>
    </message>
    <message>
        <source>Snap node to grid</source>
        <translation>Aligner le nœud sur la grille</translation>
    </message>
    <message>
        <source>Snap all nodes to grid</source>
        <translation>Aligner tous les nœuds sur la grille</translation>
    </message>
    <message>
        <source>Split track</source>
        <translation>Scinder la piste</translation>
    </message>
    <message>
        <source>Join tracks</source>
        <translation>Joindre les pistes</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>P&amp;ropriétés</translation>
    </message>
    <message>
        <source>Component...</source>
        <translation>Composant...</translation>
    </message>
</context>
<context>
    <name>bs::app::TExportDlg</name>
    <message>
        <source>JPG-Export (all visible layer)</source>
        <translation>Export JPG (toutes les couches visibles)</translation>
    </message>
    <message>
        <source>GIF-Export (all visible layer)</source>
        <translation>Export GIF (toutes les couches visibles)</translation>
    </message>
    <message>
        <source>Bitmap export (all visible layers)</source>
        <translation>Export BMP (toutes les couches visibles)</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille :</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Résolution :</translation>
    </message>
    <message>
        <source>Pixels:</source>
        <translation>Pixels :</translation>
    </message>
    <message>
        <source>Memory consumption:</source>
        <translation>Mémoire nécessaire :</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>&amp;B/W</source>
        <translation>&amp;N/B</translation>
    </message>
    <message>
        <source>&amp;Colored</source>
        <translation>&amp;Couleur</translation>
    </message>
    <message>
        <source>You are about to create a large bitmap.
Better make sure that your work is saved.

Continue ?</source>
        <translation>Vous allez créer une grande image.
Assurez-vous que votre travail est enregistré.

Continuer ?</translation>
    </message>
</context>
<context>
    <name>bs::app::TGerberDateinamenDlg</name>
    <message>
        <source>File extensions</source>
        <translation>Extensions de fichier</translation>
    </message>
    <message>
        <source>Default...</source>
        <translation>Par défaut...</translation>
    </message>
    <message>
        <source>Reset all filenames to default values ?</source>
        <translation>Rétablir tous les noms de fichier par défaut ?</translation>
    </message>
    <message>
        <source>Common endings</source>
        <translation>Extensions usuelles</translation>
    </message>
    <message>
        <source>Copper .GTL/.GBL, silkscreen .GTO/.GBO, solder mask .GTS/.GBS, SMD paste .GTP/.GBP, outline .GKO, inner layers .G1/.G2</source>
        <translation>Cuivre .GTL/.GBL, sérigraphie .GTO/.GBO, vernis épargne .GTS/.GBS, pâte CMS .GTP/.GBP, contour .GKO, couches internes .G1/.G2</translation>
    </message>
</context>
<context>
    <name>bs::app::TGerberDlg</name>
    <message>
        <source>C1 - Copper Top</source>
        <translation>C1 - Cuivre dessus</translation>
    </message>
    <message>
        <source>C2 - Copper Bottom</source>
        <translation>C2 - Cuivre dessous</translation>
    </message>
    <message>
        <source>S1 - Silkscreen Top</source>
        <translation>S1 - Sérigraphie dessus</translation>
    </message>
    <message>
        <source>S2 - Silkscreen Bottom</source>
        <translation>S2 - Sérigraphie dessous</translation>
    </message>
    <message>
        <source>I1 - Copper Inner 1</source>
        <translation>I1 - Cuivre interne 1</translation>
    </message>
    <message>
        <source>I2 - Copper Inner 2</source>
        <translation>I2 - Cuivre interne 2</translation>
    </message>
    <message>
        <source>O - Outline</source>
        <translation>O - Contour</translation>
    </message>
    <message>
        <source>C1 - Solder mask</source>
        <translation>C1 - Vernis épargne</translation>
    </message>
    <message>
        <source>C2 - Solder mask</source>
        <translation>C2 - Vernis épargne</translation>
    </message>
    <message>
        <source>C1 - SMD mask</source>
        <translation>C1 - Masque CMS</translation>
    </message>
    <message>
        <source>C2 - SMD mask</source>
        <translation>C2 - Masque CMS</translation>
    </message>
    <message>
        <source>Gerber export</source>
        <translation>Export Gerber</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Couches</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Include frame (board size)</source>
        <translation>Avec cadre (taille de la carte)</translation>
    </message>
    <message>
        <source>Punch drill holes</source>
        <translation>Évider les perçages</translation>
    </message>
    <message>
        <source>Center punch only (0.3 mm)</source>
        <translation>Pointage seulement (0,3 mm)</translation>
    </message>
    <message>
        <source>Solder mask</source>
        <translation>Vernis épargne</translation>
    </message>
    <message>
        <source>Pads</source>
        <translation>Pastilles</translation>
    </message>
    <message>
        <source>SMD pads</source>
        <translation>Pastilles CMS</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Autres</translation>
    </message>
    <message>
        <source>Inverted</source>
        <translation>Inversé</translation>
    </message>
    <message>
        <source>Offset:</source>
        <translation>Décalage :</translation>
    </message>
    <message>
        <source>SMD mask</source>
        <translation>Masque CMS</translation>
    </message>
    <message>
        <source>File extensions...</source>
        <translation>Extensions de fichier...</translation>
    </message>
    <message>
        <source>Change...</source>
        <translation>Modifier...</translation>
    </message>
    <message>
        <source>File name prefix:</source>
        <translation>Préfixe du nom de fichier :</translation>
    </message>
    <message>
        <source>Output folder:</source>
        <translation>Dossier de sortie :</translation>
    </message>
    <message>
        <source>Created files:</source>
        <translation>Fichiers créés :</translation>
    </message>
    <message>
        <source>Create Gerber files...</source>
        <translation>Créer les fichiers Gerber...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Veuillez choisir un dossier.</translation>
    </message>
    <message>
        <source>The directory: &quot;%1&quot; does not exist.

Please select a new output folder.</source>
        <translation>Le dossier &quot;%1&quot; n&apos;existe pas.

Veuillez choisir un autre dossier de sortie.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.

Overwrite?</source>
        <translation>Le fichier &quot;%1&quot; existe déjà.

Le remplacer ?</translation>
    </message>
    <message>
        <source>%1 files created.</source>
        <translation>%1 fichiers créés.</translation>
    </message>
</context>
<context>
    <name>bs::app::TGroundPlaneBar</name>
    <message>
        <source>Ground plane</source>
        <translation>Plan de masse</translation>
    </message>
    <message>
        <source>Enable or disable the automatic ground plane for the active copper layer</source>
        <translation>Activer ou désactiver le plan de masse automatique de la couche de cuivre active</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Adjust the distance from ground plane for selected and new elements</source>
        <translation>Régler la distance au plan de masse des éléments sélectionnés et nouveaux</translation>
    </message>
    <message>
        <source>Cutout as polygon</source>
        <translation>Découpe en polygone</translation>
    </message>
    <message>
        <source>Generate polygon-cutout-areas in the ground plane</source>
        <translation>Créer des zones de découpe polygonales dans le plan de masse</translation>
    </message>
    <message>
        <source>Cutout as rectangle</source>
        <translation>Découpe en rectangle</translation>
    </message>
    <message>
        <source>Generate rectangle-cutout-areas in the ground plane</source>
        <translation>Créer des zones de découpe rectangulaires dans le plan de masse</translation>
    </message>
</context>
<context>
    <name>bs::app::THelpWindow</name>
    <message>
        <source>Boardsmith - Help</source>
        <translation>Boardsmith - Aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
</context>
<context>
    <name>bs::app::TInfoWindow</name>
    <message>
        <source>An editor for printed circuit boards.</source>
        <translation>Un éditeur de circuits imprimés.</translation>
    </message>
    <message>
        <source>Boardsmith uses these libraries:</source>
        <translation>Boardsmith utilise ces bibliothèques :</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informations</translation>
    </message>
</context>
<context>
    <name>bs::app::TKeyPanel</name>
    <message>
        <source> = Fine adjustment   </source>
        <translation> = Réglage fin   </translation>
    </message>
    <message>
        <source> = Grid off   </source>
        <translation> = Grille désactivée   </translation>
    </message>
    <message>
        <source> = Capture off   </source>
        <translation> = Capture désactivée   </translation>
    </message>
    <message>
        <source> = 1/2 grid   </source>
        <translation> = 1/2 grille   </translation>
    </message>
    <message>
        <source> = Change bend mode  </source>
        <translation> = Mode de coude  </translation>
    </message>
</context>
<context>
    <name>bs::app::TLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>The language could not be saved in &quot;%1&quot;.</source>
        <translation>Impossible d&apos;enregistrer la langue dans &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The new language is used when Boardsmith is started the next time.</source>
        <translation>La nouvelle langue sera utilisée au prochain démarrage de Boardsmith.</translation>
    </message>
</context>
<context>
    <name>bs::app::TLayerBar</name>
    <message>
        <source>Layers</source>
        <translation>Couches</translation>
    </message>
    <message>
        <source>Show or hide the layer</source>
        <translation>Afficher ou masquer la couche</translation>
    </message>
    <message>
        <source>Make the layer the active one</source>
        <translation>Rendre la couche active</translation>
    </message>
</context>
<context>
    <name>bs::app::TLochDlg</name>
    <message>
        <source>%1 drillings on the silkscreen layer.
These drillings will be ignored.</source>
        <translation>%1 perçages sur la couche de sérigraphie.
Ces perçages seront ignorés.</translation>
    </message>
    <message>
        <source>Excellon export</source>
        <translation>Export Excellon</translation>
    </message>
    <message>
        <source>Drilling side</source>
        <translation>Côté de perçage</translation>
    </message>
    <message>
        <source>Top (default)</source>
        <translation>Dessus (par défaut)</translation>
    </message>
    <message>
        <source>Bottom (x-mirrored, Gerber comp.)</source>
        <translation>Dessous (miroir en X, comme Gerber)</translation>
    </message>
    <message>
        <source>Bottom (x-mirrored, HPGL comp.)</source>
        <translation>Dessous (miroir en X, comme HPGL)</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Pouces</translation>
    </message>
    <message>
        <source>(format 3.2 )</source>
        <translation>(format 3.2 )</translation>
    </message>
    <message>
        <source>(format 3.3 )</source>
        <translation>(format 3.3 )</translation>
    </message>
    <message>
        <source>(format 2.4)</source>
        <translation>(format 2.4)</translation>
    </message>
    <message>
        <source>Delete leading zeros</source>
        <translation>Supprimer les zéros de tête</translation>
    </message>
    <message>
        <source>Output with decimal point</source>
        <translation>Avec point décimal</translation>
    </message>
    <message>
        <source>M71/72 instead of METRIC/INCH</source>
        <translation>M71/72 au lieu de METRIC/INCH</translation>
    </message>
    <message>
        <source>Drillings</source>
        <translation>Perçages</translation>
    </message>
    <message>
        <source>Simple drillings</source>
        <translation>Perçages simples</translation>
    </message>
    <message>
        <source>Through-holes</source>
        <translation>Trous traversants</translation>
    </message>
    <message>
        <source>Sort drillings</source>
        <translation>Trier les perçages</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Suppress comments</source>
        <translation>Sans commentaires</translation>
    </message>
    <message>
        <source>Suppress G90 - code</source>
        <translation>Sans code G90</translation>
    </message>
    <message>
        <source>Drill data uses EXCELLON format.</source>
        <translation>Les données de perçage sont au format EXCELLON.</translation>
    </message>
    <message>
        <source>Drill files (*.drl)</source>
        <translation>Fichiers de perçage (*.drl)</translation>
    </message>
</context>
<context>
    <name>bs::app::TMacroPanel</name>
    <message>
        <source>Macro-Library</source>
        <translation>Bibliothèque de macros</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Save as macro</source>
        <translation>Enregistrer comme macro</translation>
    </message>
    <message>
        <source>Delete macro</source>
        <translation>Supprimer la macro</translation>
    </message>
    <message>
        <source>Board side of the macro</source>
        <translation>Face de la carte de la macro</translation>
    </message>
    <message>
        <source>Rotate macro</source>
        <translation>Tourner la macro</translation>
    </message>
    <message>
        <source>Through-Pads (vias)</source>
        <translation>Traversées (vias)</translation>
    </message>
    <message>
        <source>Add as component</source>
        <translation>Ajouter comme composant</translation>
    </message>
    <message>
        <source>Discard the changes of the macro?</source>
        <translation>Abandonner les modifications de la macro ?</translation>
    </message>
</context>
<context>
    <name>bs::app::TMacroPreview</name>
    <message>
        <source>Drag the macro onto the board</source>
        <translation>Faites glisser la macro sur la carte</translation>
    </message>
</context>
<context>
    <name>bs::app::TMainWindow</name>
    <message>
        <source>Layout files (*.bsm*);;All Files (*)</source>
        <translation>Fichiers de circuit (*.bsm*);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Nouveau...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>S&amp;ave as...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Copy board</source>
        <translation>Copier la carte</translation>
    </message>
    <message>
        <source>&amp;Delete board...</source>
        <translation>&amp;Supprimer la carte...</translation>
    </message>
    <message>
        <source>Set board to &amp;right</source>
        <translation>Placer la carte tout à &amp;droite</translation>
    </message>
    <message>
        <source>Set board to &amp;left</source>
        <translation>Placer la carte tout à &amp;gauche</translation>
    </message>
    <message>
        <source>Move board to &amp;right</source>
        <translation>Déplacer la carte vers la d&amp;roite</translation>
    </message>
    <message>
        <source>Move board to &amp;left</source>
        <translation>Déplacer la carte vers la ga&amp;uche</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <translation>&amp;Carte</translation>
    </message>
    <message>
        <source>&amp;Add new board...</source>
        <translation>&amp;Ajouter une nouvelle carte...</translation>
    </message>
    <message>
        <source>Add new board...</source>
        <translation>Ajouter une nouvelle carte...</translation>
    </message>
    <message>
        <source>&amp;Import boards from file...</source>
        <translation>&amp;Importer des cartes depuis un fichier...</translation>
    </message>
    <message>
        <source>Import boards</source>
        <translation>Importer des cartes</translation>
    </message>
    <message>
        <source>E&amp;xtras</source>
        <translation>Ou&amp;tils</translation>
    </message>
    <message>
        <source>Project info...</source>
        <translation>Informations sur le projet...</translation>
    </message>
    <message>
        <source>Reset solder mask...</source>
        <translation>Réinitialiser le vernis épargne...</translation>
    </message>
    <message>
        <source>This function will undo all manual changes to the solder mask,
and reset the solder mask to default (all Pads and SMD-Pads).

Continue?</source>
        <translation>Cette fonction annule toutes les modifications manuelles du vernis épargne
et rétablit le vernis épargne par défaut (toutes les pastilles et pastilles CMS).

Continuer ?</translation>
    </message>
    <message>
        <source>The solder mask was reset to its defaults.</source>
        <translation>Le vernis épargne a été rétabli par défaut.</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Board-Zoom</source>
        <translation>Aperçu de la carte</translation>
    </message>
    <message>
        <source>Show Board-Zoom</source>
        <translation>Afficher l&apos;aperçu de la carte</translation>
    </message>
    <message>
        <source>Zoom &amp;board</source>
        <translation>Zoom sur la &amp;carte</translation>
    </message>
    <message>
        <source>Zoom &amp;objects</source>
        <translation>Zoom sur les &amp;objets</translation>
    </message>
    <message>
        <source>Zoom &amp;selection</source>
        <translation>Zoom sur la &amp;sélection</translation>
    </message>
    <message>
        <source>Zoom previous</source>
        <translation>Zoom précédent</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Antialias</source>
        <translation>Anticrénelage</translation>
    </message>
    <message>
        <source>Inch-based (2.54 mm = RM)</source>
        <translation>En pouces (2.54 mm = RM)</translation>
    </message>
    <message>
        <source>Metric</source>
        <translation>Métrique</translation>
    </message>
    <message>
        <source>Add user grid...</source>
        <translation>Ajouter une grille utilisateur...</translation>
    </message>
    <message>
        <source>User grid</source>
        <translation>Grille utilisateur</translation>
    </message>
    <message>
        <source>Grid in mm:</source>
        <translation>Grille en mm :</translation>
    </message>
    <message>
        <source>Remove user grid</source>
        <translation>Supprimer une grille utilisateur</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Subdivision</source>
        <translation>Subdivision</translation>
    </message>
    <message>
        <source>Every %1 lines</source>
        <translation>Toutes les %1 lignes</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Afficher la grille</translation>
    </message>
    <message>
        <source>Project info</source>
        <translation>Informations sur le projet</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titre :</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Auteur :</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Société :</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Commentaire :</translation>
    </message>
    <message>
        <source>Autosave...</source>
        <translation>Sauvegarde automatique...</translation>
    </message>
    <message>
        <source>File not found!</source>
        <translation>Fichier introuvable !</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>The settings could not be written.</source>
        <translation>Les paramètres n&apos;ont pas pu être enregistrés.</translation>
    </message>
    <message>
        <source>&amp;AutoSave...</source>
        <translation>Sauvegarde &amp;automatique...</translation>
    </message>
    <message>
        <source>Directories...</source>
        <translation>Dossiers...</translation>
    </message>
    <message>
        <source>General settings...</source>
        <translation>Paramètres généraux...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>E&amp;xport</source>
        <translation>E&amp;xporter</translation>
    </message>
    <message>
        <source>&amp;Gerber Export...</source>
        <translation>Export &amp;Gerber...</translation>
    </message>
    <message>
        <source>&amp;Drill data (Excellon)...</source>
        <translation>&amp;Données de perçage (Excellon)...</translation>
    </message>
    <message>
        <source>List drillings...</source>
        <translation>Liste des perçages...</translation>
    </message>
    <message>
        <source>&amp;Remove connections (rubberbands)</source>
        <translation>&amp;Supprimer les connexions (élastiques)</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>Board properties</source>
        <translation>Propriétés de la carte</translation>
    </message>
    <message>
        <source>Properties-Panel</source>
        <translation>Panneau des propriétés</translation>
    </message>
    <message>
        <source>Show/hide Properties-Panel</source>
        <translation>Afficher/masquer le panneau des propriétés</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Ronde</translation>
    </message>
    <message>
        <source>Octagon</source>
        <translation>Octogonale</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Carrée</translation>
    </message>
    <message>
        <source>Rounded, horizontal</source>
        <translation>Arrondie, horizontale</translation>
    </message>
    <message>
        <source>Octagon, horizontal</source>
        <translation>Octogonale, horizontale</translation>
    </message>
    <message>
        <source>Rectangle, horizontal</source>
        <translation>Rectangulaire, horizontale</translation>
    </message>
    <message>
        <source>Rounded, vertical</source>
        <translation>Arrondie, verticale</translation>
    </message>
    <message>
        <source>Octagon, vertical</source>
        <translation>Octogonale, verticale</translation>
    </message>
    <message>
        <source>Rectangle, vertical</source>
        <translation>Rectangulaire, verticale</translation>
    </message>
    <message>
        <source>Through pad</source>
        <translation>Pastille traversante</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Automatic capture of connection points</source>
        <translation>Capture automatique des points de connexion</translation>
    </message>
    <message>
        <source>Rubber band</source>
        <translation>Élastique</translation>
    </message>
    <message>
        <source>Track ends near moved pads follow them</source>
        <translation>Les extrémités de pistes proches des pastilles déplacées les suivent</translation>
    </message>
    <message>
        <source>Small (0.5 mm)</source>
        <translation>Petit (0,5 mm)</translation>
    </message>
    <message>
        <source>Large (1 mm)</source>
        <translation>Grand (1 mm)</translation>
    </message>
    <message>
        <source>Autosave failed: %1</source>
        <translation>Échec de l’enregistrement automatique : %1</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Index...</source>
        <translation>&amp;Sommaire...</translation>
    </message>
    <message>
        <source>I&amp;nfo...</source>
        <translation>&amp;Informations...</translation>
    </message>
    <message>
        <source>DRC-Panel</source>
        <translation>Panneau DRC</translation>
    </message>
    <message>
        <source>Text-IO: Export elements...</source>
        <translation>Text-IO : Exporter les éléments...</translation>
    </message>
    <message>
        <source>Text-IO: Import elements...</source>
        <translation>Text-IO : Importer des éléments...</translation>
    </message>
    <message>
        <source>Only the selected elements (%1) will be exported.</source>
        <translation>Seuls les éléments sélectionnés (%1) seront exportés.</translation>
    </message>
    <message>
        <source>Text-IO: Export elements</source>
        <translation>Text-IO : Exporter les éléments</translation>
    </message>
    <message>
        <source>Textfiles (*.txt);;All files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Text-IO: Import elements</source>
        <translation>Text-IO : Importer des éléments</translation>
    </message>
    <message>
        <source>&amp;Bitmap (*.bmp)...</source>
        <translation>Image &amp;BMP (*.bmp)...</translation>
    </message>
    <message>
        <source>&amp;JPG (*.jpg)...</source>
        <translation>&amp;JPG (*.jpg)...</translation>
    </message>
    <message>
        <source>G&amp;IF (*.gif)...</source>
        <translation>G&amp;IF (*.gif)...</translation>
    </message>
    <message>
        <source>JPG-Files (*.jpg)</source>
        <translation>Fichiers JPG (*.jpg)</translation>
    </message>
    <message>
        <source>GIF-Files (*.gif)</source>
        <translation>Fichiers GIF (*.gif)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Fichiers BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Enregistrer l&apos;image</translation>
    </message>
    <message>
        <source>Error creating JPG-file. Please try another resolution (dpi).</source>
        <translation>Erreur lors de la création du fichier JPG. Essayez une autre résolution (dpi).</translation>
    </message>
    <message>
        <source>The picture could not be encoded: %1</source>
        <translation>L&apos;image n&apos;a pas pu être encodée : %1</translation>
    </message>
    <message>
        <source>The picture is too large for this file format.</source>
        <translation>L&apos;image est trop grande pour ce format de fichier.</translation>
    </message>
    <message>
        <source>The picture could not be made.</source>
        <translation>L&apos;image n&apos;a pas pu être créée.</translation>
    </message>
    <message>
        <source>Save as &amp;macro...</source>
        <translation>Enregistrer comme &amp;macro...</translation>
    </message>
    <message>
        <source>Macro-Library</source>
        <translation>Bibliothèque de macros</translation>
    </message>
    <message>
        <source>Show/hide Macro-Library</source>
        <translation>Afficher/masquer la bibliothèque de macros</translation>
    </message>
    <message>
        <source>Savce macro</source>
        <translation>Enregistrer la macro</translation>
    </message>
    <message>
        <source>Save as macro</source>
        <translation>Enregistrer comme macro</translation>
    </message>
    <message>
        <source>Layout-Macros (*.bmk)</source>
        <translation>Macros de circuit (*.bmk)</translation>
    </message>
    <message>
        <source>Drop the macro on the board</source>
        <translation>Déposez la macro sur la carte</translation>
    </message>
    <message>
        <source>Add as component</source>
        <translation>Ajouter comme composant</translation>
    </message>
    <message>
        <source>Components-Panel</source>
        <translation>Panneau des composants</translation>
    </message>
    <message>
        <source>Show/hide Component-Panel</source>
        <translation>Afficher/masquer le panneau des composants</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Fichiers CSV (*.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Selector-Panel</source>
        <translation>Panneau du sélecteur</translation>
    </message>
    <message>
        <source>Show/hide Selector-Panel</source>
        <translation>Afficher/masquer le panneau du sélecteur</translation>
    </message>
</context>
<context>
    <name>bs::app::TNewBoardDialog</name>
    <message>
        <source>New board</source>
        <translation>Nouvelle carte</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nom :</translation>
    </message>
    <message>
        <source>Empty working-space
without PCB outline</source>
        <translation>Surface de travail vide
sans contour de carte</translation>
    </message>
    <message>
        <source>Working-space
with rectangle
PCB outline</source>
        <translation>Surface de travail
avec contour de carte
rectangulaire</translation>
    </message>
    <message>
        <source>Working-space
with round
PCB outline</source>
        <translation>Surface de travail
avec contour de carte
rond</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>Size of working-space:</source>
        <translation>Taille de la surface de travail :</translation>
    </message>
    <message>
        <source>Distance:</source>
        <translation>Marge :</translation>
    </message>
    <message>
        <source>Rectangle board outline:</source>
        <translation>Contour de carte rectangulaire :</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Diamètre :</translation>
    </message>
    <message>
        <source>Round board outline:</source>
        <translation>Contour de carte rond :</translation>
    </message>
    <message>
        <source>Resulting working-space:</source>
        <translation>Surface de travail résultante :</translation>
    </message>
</context>
<context>
    <name>bs::app::TNumberRules</name>
    <message>
        <source>&quot;%1&quot; is not a valid value here; the field keeps its value.</source>
        <translation>&quot;%1&quot; n’est pas une valeur valable ici ; le champ garde sa valeur.</translation>
    </message>
    <message>
        <source>%1 is out of range (%2 to %3); the limit was taken.</source>
        <translation>%1 est hors limites (%2 à %3) ; la limite a été prise.</translation>
    </message>
</context>
<context>
    <name>bs::app::TOptionsDialog</name>
    <message>
        <source>General settings</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Working-Directories</source>
        <translation>Dossiers de travail</translation>
    </message>
    <message>
        <source>Macro-Directory</source>
        <translation>Dossier des macros</translation>
    </message>
    <message>
        <source>Undo-Depth</source>
        <translation>Niveaux d&apos;annulation</translation>
    </message>
    <message>
        <source>Imax</source>
        <translation>Imax</translation>
    </message>
    <message>
        <source>Hotkeys</source>
        <translation>Raccourcis</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>Réticule</translation>
    </message>
    <message>
        <source>AutoSave</source>
        <translation>Sauvegarde automatique</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Projets</translation>
    </message>
    <message>
        <source>Gerber</source>
        <translation>Gerber</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>HPGL</source>
        <translation>HPGL</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Pastille</translation>
    </message>
    <message>
        <source>SMD-Pad</source>
        <translation>Pastille CMS</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Cercle</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Special form</source>
        <translation>Forme spéciale</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Connections</source>
        <translation>Connexions</translation>
    </message>
    <message>
        <source>Autoroute</source>
        <translation>Routage auto</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Mesure</translation>
    </message>
    <message>
        <source>Photoview</source>
        <translation>Vue photo</translation>
    </message>
    <message>
        <source>Solder mask</source>
        <translation>Vernis épargne</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fond</translation>
    </message>
    <message>
        <source>C1 (copper top)</source>
        <translation>C1 (cuivre dessus)</translation>
    </message>
    <message>
        <source>S1 (silkscreen top)</source>
        <translation>S1 (sérigraphie dessus)</translation>
    </message>
    <message>
        <source>C2 (copper bottom)</source>
        <translation>C2 (cuivre dessous)</translation>
    </message>
    <message>
        <source>S2 (silkscreen bottom)</source>
        <translation>S2 (sérigraphie dessous)</translation>
    </message>
    <message>
        <source>I1 (inner layer 1)</source>
        <translation>I1 (couche interne 1)</translation>
    </message>
    <message>
        <source>I2 (inner layer 2)</source>
        <translation>I2 (couche interne 2)</translation>
    </message>
    <message>
        <source>O (outline)</source>
        <translation>O (contour)</translation>
    </message>
    <message>
        <source>Connections (rubberbands)</source>
        <translation>Connexions (élastiques)</translation>
    </message>
    <message>
        <source>Through-Pads (vias)</source>
        <translation>Traversées (vias)</translation>
    </message>
    <message>
        <source>Grid lines</source>
        <translation>Lignes de la grille</translation>
    </message>
    <message>
        <source>Grid dots</source>
        <translation>Points de la grille</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Unité</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>mil</source>
        <translation>mil</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Show Board-Zoom</source>
        <translation>Afficher l&apos;aperçu de la carte</translation>
    </message>
    <message>
        <source>Darken ground-plane</source>
        <translation>Assombrir le plan de masse</translation>
    </message>
    <message>
        <source>Show ground-plane of all layers simultaneous</source>
        <translation>Afficher le plan de masse de toutes les couches à la fois</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Couleur du fond</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Drillings:</source>
        <translation>Perçages :</translation>
    </message>
    <message>
        <source>TEST mode</source>
        <translation>Mode TEST</translation>
    </message>
    <message>
        <source>Blinking TEST mode</source>
        <translation>Mode TEST clignotant</translation>
    </message>
    <message>
        <source>Consider connections (rubberbands) in TEST mode</source>
        <translation>Tenir compte des connexions (élastiques) en mode TEST</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Component ID and value always readable after rotating</source>
        <translation>Repère et valeur du composant toujours lisibles après rotation</translation>
    </message>
    <message>
        <source>Optimize nodes of a track automatically</source>
        <translation>Optimiser automatiquement les nœuds des pistes</translation>
    </message>
    <message>
        <source>CTRL-Key necessary to capture values during selections</source>
        <translation>Touche CTRL nécessaire pour capturer les valeurs lors des sélections</translation>
    </message>
    <message>
        <source>Origin top/left (instead of bottom/left)</source>
        <translation>Origine en haut à gauche (au lieu d&apos;en bas à gauche)</translation>
    </message>
    <message>
        <source>Use origin in CAM-export (Gerber/Excellon/HPGL)</source>
        <translation>Utiliser l&apos;origine pour l&apos;export CAM (Gerber/Excellon/HPGL)</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>User 1</source>
        <translation>Utilisateur 1</translation>
    </message>
    <message>
        <source>User 2</source>
        <translation>Utilisateur 2</translation>
    </message>
    <message>
        <source>User 3</source>
        <translation>Utilisateur 3</translation>
    </message>
    <message>
        <source>Color scheme:</source>
        <translation>Jeu de couleurs :</translation>
    </message>
    <message>
        <source>Reset scheme to default</source>
        <translation>Rétablir le jeu par défaut</translation>
    </message>
    <message>
        <source>The scheme &quot;Standard&quot; cannot be changed.</source>
        <translation>Le jeu &quot;Standard&quot; ne peut pas être modifié.</translation>
    </message>
    <message>
        <source>Please select a default-directory for </source>
        <translation>Choisissez le dossier par défaut : </translation>
    </message>
    <message>
        <source>Use the same folder for all file types</source>
        <translation>Même dossier pour tous les types de fichiers</translation>
    </message>
    <message>
        <source>An empty field: the file dialogs start in the folder used last.</source>
        <translation>Champ vide : les dialogues de fichiers s&apos;ouvrent dans le dernier dossier utilisé.</translation>
    </message>
    <message>
        <source>Every file dialog then starts in the folder of the current project.</source>
        <translation>Chaque dialogue de fichiers s&apos;ouvre alors dans le dossier du projet courant.</translation>
    </message>
    <message>
        <source>Change...</source>
        <translation>Modifier...</translation>
    </message>
    <message>
        <source>Please select the macro directory</source>
        <translation>Choisissez le dossier des macros</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>explore</source>
        <translation>Explorer</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Le dossier &quot;%1&quot; n&apos;existe pas.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be opened.</source>
        <translation>Le dossier &quot;%1&quot; n&apos;a pas pu être ouvert.</translation>
    </message>
    <message>
        <source>The macro library shows the macros of this folder and its subfolders.</source>
        <translation>La bibliothèque affiche les macros de ce dossier et de ses sous-dossiers.</translation>
    </message>
    <message>
        <source>Number of undo steps (1 ... 50):</source>
        <translation>Nombre de niveaux d&apos;annulation (1 ... 50) :</translation>
    </message>
    <message>
        <source>Each step keeps a copy of the whole board.</source>
        <translation>Chaque niveau garde une copie de toute la carte.</translation>
    </message>
    <message>
        <source>Copper thickness:</source>
        <translation>Épaisseur du cuivre :</translation>
    </message>
    <message>
        <source>Temperature rise:</source>
        <translation>Échauffement :</translation>
    </message>
    <message>
        <source>The calculation of the max. current-carrying capacity for a track,
is only a coarse approximate value.
The real value is depending on many other factors and the environment.</source>
        <translation>Le calcul du courant maximal admissible d&apos;une piste
ne donne qu&apos;une valeur approximative.
La valeur réelle dépend de nombreux autres facteurs et de l&apos;environnement.</translation>
    </message>
    <message>
        <source>An empty field: the tool has no hotkey. The pointer tool always has Esc.</source>
        <translation>Champ vide : l&apos;outil n&apos;a pas de raccourci. Le pointeur a toujours Échap.</translation>
    </message>
    <message>
        <source>Show coordinates on crosshair</source>
        <translation>Afficher les coordonnées sur le réticule</translation>
    </message>
    <message>
        <source>Big Text</source>
        <translation>Grand texte</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>Black Background</source>
        <translation>Fond noir</translation>
    </message>
    <message>
        <source>White Background</source>
        <translation>Fond blanc</translation>
    </message>
    <message>
        <source>Show 45° lines</source>
        <translation>Afficher les lignes à 45°</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Interval:</source>
        <translation>Intervalle :</translation>
    </message>
    <message>
        <source>Activate AutoSave</source>
        <translation>Activer la sauvegarde automatique</translation>
    </message>
    <message>
        <source>A saved project is copied at this interval to its file name with &quot;.bak&quot; appended.</source>
        <translation>Un projet enregistré est copié à cet intervalle sous son nom de fichier suivi de &quot;.bak&quot;.</translation>
    </message>
    <message>
        <source>You have changed the colors.
Save changes?</source>
        <translation>Vous avez modifié les couleurs.
Enregistrer les modifications ?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be written.</source>
        <translation>Le fichier &quot;%1&quot; ne peut pas être écrit.</translation>
    </message>
    <message>
        <source>The hotkey &quot;%1&quot; is already in use.</source>
        <translation>Le raccourci &quot;%1&quot; est déjà utilisé.</translation>
    </message>
    <message>
        <source>Limit text height (track width min. 0.15 mm)</source>
        <translation>Limiter la hauteur du texte (largeur de trait min. 0.15 mm)</translation>
    </message>
</context>
<context>
    <name>bs::app::TPropertiesPage</name>
    <message>
        <source>Center:</source>
        <translation>Centre :</translation>
    </message>
</context>
<context>
    <name>bs::app::TPropertiesPanel</name>
    <message>
        <source>; Pads</source>
        <translation>; Pastilles</translation>
    </message>
    <message>
        <source>; Pad</source>
        <translation>; Pastille</translation>
    </message>
    <message>
        <source>; SMD pads</source>
        <translation>; Pastilles CMS</translation>
    </message>
    <message>
        <source>; SMD pad</source>
        <translation>; Pastille CMS</translation>
    </message>
    <message>
        <source>; Texts</source>
        <translation>; Textes</translation>
    </message>
    <message>
        <source>; Text</source>
        <translation>; Texte</translation>
    </message>
    <message>
        <source>; Circles</source>
        <translation>; Cercles</translation>
    </message>
    <message>
        <source>; Circle</source>
        <translation>; Cercle</translation>
    </message>
    <message>
        <source>; Tracks</source>
        <translation>; Pistes</translation>
    </message>
    <message>
        <source>; Track</source>
        <translation>; Piste</translation>
    </message>
    <message>
        <source>; Zones</source>
        <translation>; Zones</translation>
    </message>
    <message>
        <source>; Zone</source>
        <translation>; Zone</translation>
    </message>
    <message>
        <source>Multiselect:</source>
        <translation>Sélection multiple :</translation>
    </message>
    <message>
        <source>Properties    </source>
        <translation>Propriétés    </translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Carte</translation>
    </message>
</context>
<context>
    <name>bs::app::TSelector</name>
    <message>
        <source>Selector</source>
        <translation>Sélecteur</translation>
    </message>
    <message>
        <source>All Pads</source>
        <translation>Toutes les pastilles</translation>
    </message>
    <message>
        <source>Vias</source>
        <translation>Vias</translation>
    </message>
    <message>
        <source>SMD-Pads</source>
        <translation>Pastilles CMS</translation>
    </message>
    <message>
        <source>Tracks</source>
        <translation>Pistes</translation>
    </message>
    <message>
        <source>Text labels</source>
        <translation>Textes</translation>
    </message>
    <message>
        <source>Only copper</source>
        <translation>Seulement le cuivre</translation>
    </message>
    <message>
        <source>Only silkscreen / outline</source>
        <translation>Seulement sérigraphie / contour</translation>
    </message>
    <message>
        <source>All layer</source>
        <translation>Toutes les couches</translation>
    </message>
    <message>
        <source>Automatic zoom: how much of the view the found elements fill</source>
        <translation>Zoom automatique : la part de la vue que remplissent les éléments trouvés</translation>
    </message>
    <message>
        <source>Elements:</source>
        <translation>Éléments :</translation>
    </message>
    <message>
        <source>Sorting:</source>
        <translation>Tri :</translation>
    </message>
    <message>
        <source>Layer:</source>
        <translation>Couche :</translation>
    </message>
    <message>
        <source>Automatic zoom:</source>
        <translation>Zoom automatique :</translation>
    </message>
    <message>
        <source>Drillings</source>
        <translation>Perçages</translation>
    </message>
    <message>
        <source>Annular ring size</source>
        <translation>Largeur de la couronne</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Forme</translation>
    </message>
    <message>
        <source>Line width</source>
        <translation>Largeur de ligne</translation>
    </message>
    <message>
        <source>Text height</source>
        <translation>Hauteur du texte</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Épaisseur</translation>
    </message>
    <message>
        <source>Text content</source>
        <translation>Contenu du texte</translation>
    </message>
    <message>
        <source>1 Element</source>
        <translation>1 Elément</translation>
    </message>
    <message>
        <source>%1 Elements</source>
        <translation>%1 Eléments</translation>
    </message>
</context>
<context>
    <name>bs::app::TSizeBar</name>
    <message>
        <source>Sizes</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Track width</source>
        <translation>Largeur de piste</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Pastille</translation>
    </message>
    <message>
        <source>Pad outer diameter</source>
        <translation>Diamètre extérieur de la pastille</translation>
    </message>
    <message>
        <source>Drill</source>
        <translation>Perçage</translation>
    </message>
    <message>
        <source>Pad drill diameter</source>
        <translation>Diamètre de perçage de la pastille</translation>
    </message>
    <message>
        <source>SMD</source>
        <translation>CMS</translation>
    </message>
    <message>
        <source>SMD pad width</source>
        <translation>Largeur de la pastille CMS</translation>
    </message>
    <message>
        <source>SMD pad height</source>
        <translation>Hauteur de la pastille CMS</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Inverser</translation>
    </message>
    <message>
        <source>Exchange SMD width and height</source>
        <translation>Échanger la largeur et la hauteur de la pastille CMS</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>bs::app::TSmdPage</name>
    <message>
        <source>SMD pad sizes</source>
        <translation>Dimensions des pastilles CMS</translation>
    </message>
    <message>
        <source>Thermal pad</source>
        <translation>Pastille thermale</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille :</translation>
    </message>
</context>
<context>
    <name>bs::app::TTextDialog</name>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Épaisseur</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>Étroit</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Add number</source>
        <translation>Ajouter un numéro</translation>
    </message>
    <message>
        <source>Start at:</source>
        <translation>Commencer à :</translation>
    </message>
</context>
<context>
    <name>bs::app::TTextPage</name>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>Étroit</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Zone de découpe</translation>
    </message>
    <message>
        <source>Text height:</source>
        <translation>Hauteur du texte :</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Épaisseur</translation>
    </message>
    <message>
        <source>text-thickness:</source>
        <translation>épaisseur du texte :</translation>
    </message>
</context>
<context>
    <name>bs::app::TThermalBox</name>
    <message>
        <source>All layer equal</source>
        <translation>Identique sur toutes les couches</translation>
    </message>
    <message>
        <source>Layer individual</source>
        <translation>Individuel par couche</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Positions:</source>
        <translation>Positions :</translation>
    </message>
</context>
<context>
    <name>bs::app::TThtPage</name>
    <message>
        <source>Pad sizes</source>
        <translation>Dimensions des pastilles</translation>
    </message>
    <message>
        <source>Through pad</source>
        <translation>Pastille traversante</translation>
    </message>
    <message>
        <source>Thermal pad</source>
        <translation>Pastille thermale</translation>
    </message>
    <message>
        <source>Shape:</source>
        <translation>Forme :</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Diamètre :</translation>
    </message>
    <message>
        <source>Drill:</source>
        <translation>Perçage :</translation>
    </message>
    <message>
        <source>Assign the thermal spokes to all layers?</source>
        <translation>Assigner pastilles thermales à toutes les couches?</translation>
    </message>
</context>
<context>
    <name>bs::app::TToolPalette</name>
    <message>
        <source>Tools</source>
        <translation>Outils</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoom previous</source>
        <translation>Zoom précédent</translation>
    </message>
    <message>
        <source>Zoom board</source>
        <translation>Zoom sur la carte</translation>
    </message>
    <message>
        <source>Zoom objects</source>
        <translation>Zoom sur les objets</translation>
    </message>
    <message>
        <source>Zoom selection</source>
        <translation>Zoom sur la sélection</translation>
    </message>
    <message>
        <source>ZOOM:  Left click to zoom in, right click to zoom out, drag a rectangle to zoom to it</source>
        <translation>ZOOM :  clic gauche pour agrandir, clic droit pour réduire, tracer un rectangle pour zoomer dessus</translation>
    </message>
    <message>
        <source>EDIT:  Select elements with the left mouse button, drag to move them</source>
        <translation>ÉDITION :  sélectionner les éléments avec le bouton gauche, les faire glisser pour les déplacer</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Mesure</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>THT pad</source>
        <translation>Pastille THT</translation>
    </message>
    <message>
        <source>SMD pad</source>
        <translation>Pastille CMS</translation>
    </message>
    <message>
        <source>Circle / arc</source>
        <translation>Cercle / arc</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Solder mask</source>
        <translation>Vernis épargne</translation>
    </message>
    <message>
        <source>Connections (rubberbands)</source>
        <translation>Connexions (élastiques)</translation>
    </message>
</context>
<context>
    <name>bs::app::TTrackPage</name>
    <message>
        <source>Length:</source>
        <translation>Longueur :</translation>
    </message>
    <message>
        <source>Nodes:</source>
        <translation>Nœuds :</translation>
    </message>
    <message>
        <source>Max. current:</source>
        <translation>Courant max. :</translation>
    </message>
    <message>
        <source>Start of the track: flat or round</source>
        <translation>Début de la piste : extrémité plate ou ronde</translation>
    </message>
    <message>
        <source>End of the track: flat or round</source>
        <translation>Fin de la piste : extrémité plate ou ronde</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Zone de découpe</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Ends:</source>
        <translation>Extrémités :</translation>
    </message>
</context>
<context>
    <name>bs::app::TZonePage</name>
    <message>
        <source>Nodes:</source>
        <translation>Nœuds :</translation>
    </message>
    <message>
        <source>Hatched</source>
        <translation>Hachurée</translation>
    </message>
    <message>
        <source>Outline:</source>
        <translation>Contour :</translation>
    </message>
    <message>
        <source>Self-defined</source>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Zone de découpe</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Contour</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
</context>
<context>
    <name>core</name>
    <message>
        <source>&quot;%1&quot; is not a Boardsmith file.</source>
        <translation>&quot;%1&quot; n&apos;est pas un fichier Boardsmith.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was created with a newer version of Boardsmith (Version %2).<byte value="xd"/>Your version of Boardsmith is not able to open this file.</source>
        <translation>&quot;%1&quot; a été créé avec une version plus récente de Boardsmith (version %2).<byte value="xd"/>Votre version de Boardsmith ne peut pas ouvrir ce fichier.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be read.</source>
        <translation>Le fichier &quot;%1&quot; ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged or incomplete.</source>
        <translation>Le fichier &quot;%1&quot; est endommagé ou incomplet.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be written.</source>
        <translation>Le fichier &quot;%1&quot; ne peut pas être écrit.</translation>
    </message>
    <message>
        <source>Could not delete file &quot;%1&quot;.</source>
        <translation>Impossible de supprimer le fichier &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The file will be saved with the new file extension &quot;.bsm6&quot;.<byte value="xd"/><byte value="xd"/>Do you want to keep the older original file?</source>
        <translation>Le fichier sera enregistré avec la nouvelle extension &quot;.bsm6&quot;.<byte value="xd"/><byte value="xd"/>Voulez-vous conserver l&apos;ancien fichier original ?</translation>
    </message>
    <message>
        <source>This layout was create with an older version.<byte value="xd"/><byte value="xd"/>The elements on the copper-layer C1 and C2 will be exchanged,<byte value="xd"/>because of the new layer-structure.</source>
        <translation>Ce circuit a été créé avec une version plus ancienne.<byte value="xd"/><byte value="xd"/>Les éléments des couches cuivre C1 et C2 seront échangés<byte value="xd"/>en raison de la nouvelle structure des couches.</translation>
    </message>
    <message>
        <source>Laoding macros...<byte value="xd"/>%1</source>
        <translation>Chargement des macros...<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Cannot rename file.</source>
        <translation>Impossible de renommer le fichier.</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Enregistrer les modifications ?</translation>
    </message>
    <message>
        <source>A project must at least contains one board.</source>
        <translation>Un projet doit contenir au moins une carte.</translation>
    </message>
    <message>
        <source>All elements on the inner layer I1 and I2 will be deleted.<byte value="xd"/><byte value="xd"/>Continue ?</source>
        <translation>Tous les éléments des couches internes I1 et I2 seront effacés.<byte value="xd"/><byte value="xd"/>Continuer ?</translation>
    </message>
    <message>
        <source>A new Board named &quot;%1&quot; was added.</source>
        <translation>Une nouvelle carte nommée &quot;%1&quot; a été ajoutée.</translation>
    </message>
    <message>
        <source>The board is too big!</source>
        <translation>La carte est trop grande !</translation>
    </message>
    <message>
        <source>The width must lie between %1 mm and %2 mm.</source>
        <translation>La largeur doit être comprise entre %1 mm et %2 mm.</translation>
    </message>
    <message>
        <source>The height must lie between %1 mm and %2 mm.</source>
        <translation>La hauteur doit être comprise entre %1 mm et %2 mm.</translation>
    </message>
    <message>
        <source>The distance must lie between %1 mm and %2 mm.</source>
        <translation>La distance doit être comprise entre %1 mm et %2 mm.</translation>
    </message>
    <message>
        <source>The diameter must lie between %1 mm and %2 mm.</source>
        <translation>Le diamètre doit être compris entre %1 mm et %2 mm.</translation>
    </message>
    <message>
        <source>The grid must be at least 0.001 mm.</source>
        <translation>La grille doit être d&apos;au moins 0,001 mm.</translation>
    </message>
    <message>
        <source>The grid must not be larger than 10 mm.</source>
        <translation>La grille ne doit pas dépasser 10 mm.</translation>
    </message>
    <message>
        <source>The grid must be a number with at most six digits.</source>
        <translation>La grille doit être un nombre d&apos;au plus six chiffres.</translation>
    </message>
    <message>
        <source>%1 connections (rubberbands) removed.<byte value="xd"/>%2 connections (rubberbands) remaining.</source>
        <translation>%1 connexions (élastiques) supprimées.<byte value="xd"/>%2 connexions (élastiques) restantes.</translation>
    </message>
    <message>
        <source>The text could not be generated.</source>
        <translation>Le texte n&apos;a pas pu être généré.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be opened.</source>
        <translation>&quot;%1&quot; n’est pas un fichier qui peut être ouvert.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be written:<byte value="xd"/>%2</source>
        <translation>Le fichier &quot;%1&quot; ne peut pas être écrit :<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>The position %1 mm does not fit the number format of the file &quot;%2&quot;.</source>
        <translation>La position %1 mm ne tient pas dans le format numérique du fichier &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>The board needs a name.</source>
        <translation>La carte doit avoir un nom.</translation>
    </message>
    <message>
        <source>%1 element(s) lie wholly outside the working space and will be deleted when saving.<byte value="xd"/><byte value="xd"/>Continue?</source>
        <translation>%1 élément(s) se trouvent entièrement hors de la zone de travail et seront supprimés à l’enregistrement.<byte value="xd"/><byte value="xd"/>Continuer ?</translation>
    </message>
    <message>
        <source>Copper too close to other copper</source>
        <translation>Cuivres trop près</translation>
    </message>
    <message>
        <source>Gap to the ground plane too small</source>
        <translation>Distance depuis plan de masse</translation>
    </message>
    <message>
        <source>Drillings too close together</source>
        <translation>Perçages trop près</translation>
    </message>
    <message>
        <source>Drilling too small</source>
        <translation>Perçages trop petits</translation>
    </message>
    <message>
        <source>Drilling too large</source>
        <translation>Perçages trop gros</translation>
    </message>
    <message>
        <source>Track too thin</source>
        <translation>Piste trop fine</translation>
    </message>
    <message>
        <source>Annular ring too small</source>
        <translation>Collerette trop fine</translation>
    </message>
    <message>
        <source>Silkscreen over pad</source>
        <translation>Sérigraphie sur pastille</translation>
    </message>
    <message>
        <source>Drilling on SMD pad</source>
        <translation>Perçage sur pastille-CMS</translation>
    </message>
    <message>
        <source>Pad without soldermask</source>
        <translation>Recouverte de vernis épargne</translation>
    </message>
    <message>
        <source>Non-pad with soldermask</source>
        <translation>Absence de vernis épargne</translation>
    </message>
    <message>
        <source>Silkscreen too thin</source>
        <translation>Sérigraphie trop fine</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 Entrées</translation>
    </message>
    <message>
        <source>The macro can not be loaded.</source>
        <translation>La macro ne peut pas être chargée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.</source>
        <translation>&quot;%1&quot; existe déjà.</translation>
    </message>
    <message>
        <source>Delete file &quot;%1&quot; ?</source>
        <translation>Supprimer le fichier &quot;%1&quot; ?</translation>
    </message>
    <message>
        <source>There are no elements on the board.</source>
        <translation>Il n&apos;y a aucun élément sur la carte.</translation>
    </message>
    <message>
        <source>No objects selected.<byte value="xd"/>Save whole layout as macro?</source>
        <translation>Aucun objet sélectionné.<byte value="xd"/>Enregistrer toute la carte comme macro ?</translation>
    </message>
    <message>
        <source>No valid data found.</source>
        <translation>Aucune donnée valide trouvée.</translation>
    </message>
    <message>
        <source>The macro consists of more than 1 component.<byte value="xd"/>A separate editing of the components is not possible.</source>
        <translation>La macro comprend plus d&apos;un composant.<byte value="xd"/>Les composants ne peuvent pas être modifiés séparément.</translation>
    </message>
    <message>
        <source>Do you want to create a component from the selected elements ?</source>
        <translation>Voulez-vous créer un composant à partir des éléments sélectionnés ?</translation>
    </message>
    <message>
        <source>Apply changes for all selected components ?</source>
        <translation>Appliquer les modifications à tous les composants sélectionnés ?</translation>
    </message>
    <message>
        <source>Disintegrate the component?<byte value="xd"/>Its ID and value labels and its pick-and-place data are deleted.</source>
        <translation>Dissoudre le composant ?<byte value="xd"/>Ses étiquettes de référence et de valeur et ses données de placement sont supprimées.</translation>
    </message>
    <message>
        <source>The board already holds 32767 components; no further component can be made.</source>
        <translation>La carte contient déjà 32767 composants ; aucun autre composant ne peut être créé.</translation>
    </message>
</context>
</TS>
