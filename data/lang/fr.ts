<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>KorvaneWidget</name>
    <message>
        <source>LIGHTING</source>
        <translation>ÉCLAIRAGE</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>BOUTONS</translation>
    </message>
    <message>
        <source>DPI</source>
        <translation>DPI</translation>
    </message>
    <message>
        <source>MACRO</source>
        <translation>MACRO</translation>
    </message>
    <message>
        <source>Korvane Config</source>
        <translation>Korvane Config</translation>
    </message>
</context>
<context>
    <name>KorvaneTray</name>
    <message>
        <source>&amp;Load Config</source>
        <translation>&amp;Charger la configuration</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>ProfileList</name>
    <message>
        <source>The profile file could not be found.</source>
        <translation>Le fichier de profil est introuvable.</translation>
    </message>
</context>
<context>
    <name>MacroList</name>
    <message>
        <source>The macro file was not found.</source>
        <translation>Le fichier de macro est introuvable.</translation>
    </message>
    <message>
        <source>The macro file could not be written.</source>
        <translation>Le fichier de macro n’a pas pu être écrit.</translation>
    </message>
    <message>
        <source>This name cannot be used for a macro.</source>
        <translation>Ce nom ne peut pas être utilisé pour une macro.</translation>
    </message>
</context>
<context>
    <name>KorvaneCtl</name>
    <message>
        <source>This profile does not exist.</source>
        <translation>Ce profil n’existe pas.</translation>
    </message>
    <message>
        <source>No mouse is connected.</source>
        <translation>Aucune souris n’est connectée.</translation>
    </message>
    <message>
        <source>The mouse's answer could not be read.</source>
        <translation>La réponse de la souris n’a pas pu être lue.</translation>
    </message>
    <message>
        <source>Korvane Config is running and holds the mouse and the profiles; close it from its tray icon first.</source>
        <translation>Korvane Config est en cours d’exécution et occupe la souris et les profils ; fermez-le d’abord depuis son icône de la zone de notification.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>aucune commande indiquée</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>commande inconnue %1</translation>
    </message>
    <message>
        <source>wrong arguments for %1</source>
        <translation>arguments incorrects pour %1</translation>
    </message>
</context>
<context>
    <name>ResultCode</name>
    <message>
        <source>Mouse is sleeping or not connected.</source>
        <translation>La souris est en veille ou n’est pas connectée.</translation>
    </message>
    <message>
        <source>Send data failed, please try again.</source>
        <translation>L’envoi a échoué, veuillez réessayer.</translation>
    </message>
    <message>
        <source>At most 12 different macros fit in the mouse.</source>
        <translation>La souris ne contient pas plus de 12 macros différentes.</translation>
    </message>
    <message>
        <source>The profile file could not be found.</source>
        <translation>Le fichier de profil est introuvable.</translation>
    </message>
</context>
</TS>
